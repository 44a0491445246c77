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

// The compositor's GTK shell, bound once on a queue of our own so that the
// toolkit's queue sees nothing of the look-up; null where there is none.
wl_proxy* BindShell(wl_display* display) {
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    uint32_t name = 0;
    static const wl_registry_listener listener = {
        [](void* found, wl_registry*, uint32_t id, const char* interface, uint32_t) {
            if (std::strcmp(interface, GtkShell.name) == 0) {
                *static_cast<uint32_t*>(found) = id;
            }
        },
        [](void*, wl_registry*, uint32_t) {}};
    wl_registry_add_listener(registry, &listener, &name);
    wl_display_roundtrip_queue(display, queue);
    wl_proxy* shell = nullptr;
    if (name != 0) {
        shell = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &GtkShell, 1));
        // Its events, of no use here, go where the toolkit dispatches.
        wl_proxy_set_queue(shell, nullptr);
    }
    wl_registry_destroy(registry);
    wl_event_queue_destroy(queue);
    return shell;
}

// Tells the compositor at each show, once the toolkit has given the surface
// its window role and parent: when the first configure exposes it, before the
// first frame, by which the compositor places it.
class ModalTeller : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !window->isExposed()) {
            return false;
        }
        QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
        auto* surface =
            static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
        if (!surface || surface == told_) {
            return false;  // each show makes a new one
        }
        told_ = surface;
        auto* display =
            static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
        static wl_proxy* const shell = display ? BindShell(display) : nullptr;
        if (shell) {
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
    wl_surface* told_ = nullptr;
};

}  // namespace

void MarkModalDialog(QWidget* dialog) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    dialog->winId();  // its platform window, to be watched from its first show
    dialog->windowHandle()->installEventFilter(new ModalTeller(dialog));
}

#else

void MarkModalDialog(QWidget*) {}

#endif

}  // namespace plovatrix::win
