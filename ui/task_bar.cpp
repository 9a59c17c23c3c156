#include "ui/task_bar.h"

#include <QGuiApplication>
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

}  // namespace

void KeepOffTaskBar(QWidget& window) {
  // Other platforms (offscreen among them) may answer for X11 without being on an X server.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr) return;
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t skip_task_bar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skip_task_bar == XCB_ATOM_NONE) return;
  // Qt merges its own states into this property when it maps the window, keeping ours.
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()),
                      state, XCB_ATOM_ATOM, 32, 1, &skip_task_bar);
  xcb_flush(connection);
}
#else
void KeepOffTaskBar(QWidget&) {}
#endif

}  // namespace tolvan
