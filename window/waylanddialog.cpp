#include "waylanddialog.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef PLOVATRIX_WAYLAND_DIALOGS
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <cstring>
#endif

namespace plovatrix::win {

#ifdef PLOVATRIX_WAYLAND_DIALOGS

namespace {

// Version 1 of the GTK shell protocol's two interfaces, as its description
// gives them; only get_gtk_surface and set_modal are sent.
extern const wl_interface GtkSurface;
const wl_interface* NoTypes[6] = {};
const wl_interface* SurfaceOf[] = {&GtkSurface, &wl_surface_interface};
const wl_interface* BellOn[] = {&GtkSurface};
const wl_message ShellRequests[] = {{"get_gtk_surface", "no", SurfaceOf},
                                    {"set_startup_id", "?s", NoTypes},
                                    {"system_bell", "?o", BellOn}};
const wl_message ShellEvents[] = {{"capabilities", "u", NoTypes}};
const wl_message SurfaceRequests[] = {{"set_dbus_properties", "?s?s?s?s?s?s", NoTypes},
                                      {"set_modal", "", NoTypes},
                                      {"unset_modal", "", NoTypes},
                                      {"present", "u", NoTypes}};
const wl_message SurfaceEvents[] = {{"configure", "a", NoTypes}};
const wl_interface GtkShell = {"gtk_shell1", 1, 3, ShellRequests, 1, ShellEvents};
const wl_interface GtkSurface = {"gtk_surface1", 1, 4, SurfaceRequests, 1, SurfaceEvents};
constexpr uint32_t GetGtkSurface = 0, SetModal = 1;

// The compositor's GTK shell, looked up on a queue of our own: the toolkit's
// reader reads its globals in along with its own events (we never read the
// connection ourselves, which would keep events from the toolkit), and the
// look-up is dispatched when a box needs the shell.
struct Shell {
    wl_event_queue* queue = nullptr;
    wl_registry* registry = nullptr;
    wl_proxy* bound = nullptr;
};

Shell& TheShell() {
    static Shell shell;
    return shell;
}

void LookUp(wl_display* display) {
    Shell& shell = TheShell();
    if (shell.queue) {
        return;
    }
    shell.queue = wl_display_create_queue(display);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), shell.queue);
    shell.registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    static const wl_registry_listener listener = {
        [](void* data, wl_registry* registry, uint32_t id, const char* interface, uint32_t) {
            auto* found = static_cast<Shell*>(data);
            if (!found->bound && std::strcmp(interface, GtkShell.name) == 0) {
                found->bound = static_cast<wl_proxy*>(wl_registry_bind(registry, id, &GtkShell, 1));
                // Its events, of no use here, go where the toolkit dispatches.
                wl_proxy_set_queue(found->bound, nullptr);
            }
        },
        [](void*, wl_registry*, uint32_t) {}};
    wl_registry_add_listener(shell.registry, &listener, &shell);
    wl_display_flush(display);
}

// The shell, once the globals the compositor sent have been read; null where
// it offers none.
wl_proxy* Bound(wl_display* display) {
    Shell& shell = TheShell();
    if (shell.queue) {
        wl_display_dispatch_queue_pending(display, shell.queue);
    }
    if (shell.bound && shell.registry) {
        wl_registry_destroy(shell.registry);
        shell.registry = nullptr;
    }
    return shell.bound;
}

wl_display* Display() {
    return static_cast<wl_display*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
}

// Tells the compositor at each show, once the toolkit has given the surface
// its window role and parent: when the first configure exposes it, before the
// first frame, by which the compositor places it. The dialog's platform window
// is watched from the dialog's show (made earlier, it left the parent's next
// frames waiting under weston).
class ModalTeller : public QObject {
public:
    explicit ModalTeller(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_) {
            if (event->type() == QEvent::Show && dialog_->windowHandle()) {
                dialog_->windowHandle()->removeEventFilter(this);
                dialog_->windowHandle()->installEventFilter(this);
            }
            return false;
        }
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !window->isExposed()) {
            return false;
        }
        auto* surface = static_cast<wl_surface*>(
            QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window));
        if (!surface || surface == told_) {
            return false;  // each show makes a new one
        }
        told_ = surface;
        if (wl_proxy* shell = Bound(Display())) {
            wl_proxy* gtk =
                wl_proxy_marshal_constructor(shell, GetGtkSurface, &GtkSurface, nullptr, surface);
            wl_proxy_marshal(gtk, SetModal);
            // Version 1 has no destructor request: the compositor keeps its end
            // until we disconnect, and forgets the surface with it.
            wl_proxy_destroy(gtk);
        }
        return false;
    }

private:
    QWidget* dialog_;
    wl_surface* told_ = nullptr;
};

}  // namespace

void MarkModalDialog(QWidget* dialog) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    if (wl_display* display = Display()) {
        LookUp(display);
    }
    new ModalTeller(dialog);
}

#else

void MarkModalDialog(QWidget*) {}

#endif

}  // namespace plovatrix::win
