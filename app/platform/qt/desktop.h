// What the desktop does for the program: open a URL in the application it
// associates with it, and the beep that answers a click that cannot be obeyed.
#pragma once

#include <QUrl>

#include "platform/error_codes.h"

namespace tessaly {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Hands the URL to the desktop's opener. Some openers run what they are
    // given: a file goes through openInApplication(), which keeps programs
    // away from here. The failure is returned, never shown: the caller
    // decides whether it is worth a word.
    virtual Failure openUrl(const QUrl& url) = 0;
    virtual void beep() = 0;
};

}  // namespace tessaly
