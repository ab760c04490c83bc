// The desktop through QDesktopServices and QApplication.
#pragma once

#include "platform/qt/desktop.h"

namespace tessaly {

class QtDesktop final : public Desktop {
public:
    Failure openFile(const std::string& path) override;
    void beep() override;
};

}  // namespace tessaly
