#include "ui/task_bar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if TOLVAN_HAS_XCB
#include <xcb/xcb.h>
#endif

namespace tolvan {

#if TOLVAN_HAS_XCB
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_geometry_reply_t* reply =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  const xcb_window_t root = reply != nullptr ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
  std::free(reply);
  return root;
}

// A mapped window's state belongs to the window manager, which changes it on request.
void AskForSkipTaskBar(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t skip_task_bar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  const xcb_window_t root = RootOf(connection, window);
  if (state == XCB_ATOM_NONE || skip_task_bar == XCB_ATOM_NONE || root == XCB_WINDOW_NONE) return;
  constexpr std::uint32_t kAdd = 1;
  constexpr std::uint32_t kFromAnApplication = 1;
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = window;
  request.type = state;
  request.data.data32[0] = kAdd;
  request.data.data32[1] = skip_task_bar;
  request.data.data32[3] = kFromAnApplication;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(connection);
}

// Waits for the window's first showing and asks once the map request has gone out, so that
// the window manager has already taken the window, and given it the focus, as an ordinary one.
class SkipTaskBarOnceMapped final : public QObject {
 public:
  explicit SkipTaskBarOnceMapped(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      window_.removeEventFilter(this);
      // The show event comes before the map request; a queued call runs after it.
      QTimer::singleShot(0, this, [this] {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 != nullptr && x11->connection() != nullptr) {
          AskForSkipTaskBar(x11->connection(), static_cast<xcb_window_t>(window_.winId()));
        }
        deleteLater();
      });
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

void KeepOffTaskBar(QWidget& window) {
  // Other platforms (offscreen among them) may answer for X11 without being on an X server.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  new SkipTaskBarOnceMapped(window);
}
#else
void KeepOffTaskBar(QWidget&) {}
#endif

}  // namespace tolvan
