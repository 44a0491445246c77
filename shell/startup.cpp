#include "startup.h"

#include <QApplication>
#include <QImage>

#include "accessibility.h"
#include "appinfo.h"
#include "doubleclickguard.h"
#include "frmmain.h"
#include "frmsplash.h"

namespace plovatrix::app {

StartUp::StartUp(QApplication& app) {
    ApplyApplicationInfo(app);
    plovatrix::win::InstallAccessibility();
    splash_ = new frmSplash;
    connect(splash_, &frmSplash::FirstFrameShown, this, &StartUp::BuildMain);
    // A Wayland launcher hands its activation token on to the program it
    // starts; the first window takes it, which the toolkit does on the
    // window's activation request, else a compositor leaves it unfocused.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN")) {
        connect(splash_, &frmSplash::FirstFrameShown, splash_, &QWidget::activateWindow);
    }
    connect(splash_, &frmSplash::HandOverAsked, this, &StartUp::HandOver);
    splash_->show();
}

StartUp::~StartUp() {
    delete main_;
    delete splash_;
}

frmSplash* StartUp::splash() const {
    return splash_;
}
frmmain* StartUp::main() const {
    return main_;
}

void StartUp::BuildMain() {
    if (main_) {
        return;
    }
    main_ = new frmmain(nullptr, frmmain::Loading::AtShow);
    connect(main_, &frmmain::Loaded, splash_, &frmSplash::Unload);
    // One painting into a throw-away image polishes every control and fills
    // the glyph and style caches, which the first paint would otherwise pay
    // at the hand-over (most of the slow hand-overs when measured).
    main_->ensurePolished();
    QImage warm(main_->size(), QImage::Format_ARGB32_Premultiplied);
    main_->render(&warm);
}

void StartUp::HandOver(ulong clickTime) {
    // A key may come before the idle time did.
    BuildMain();
    main_->setAttribute(Qt::WA_DeleteOnClose);
    main_->show();
    // Shown in answer to the user, so it is the window they work in next,
    // also where the window manager would not activate it by itself.
    main_->activateWindow();
    if (clickTime != 0 && main_->windowHandle()) {
        new plovatrix::win::DoubleClickGuard(main_->windowHandle(), clickTime);
    }
}

}  // namespace plovatrix::app
