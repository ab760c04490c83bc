// The desktop through QDesktopServices and QApplication.
#pragma once

#include "platform/qt/desktop.h"

namespace tessaly {

class QtDesktop final : public Desktop {
public:
    Failure openUrl(const QUrl& url) override;
    void beep() override;
};

}  // namespace tessaly
