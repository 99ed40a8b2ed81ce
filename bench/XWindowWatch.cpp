#include "bench/XWindowWatch.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <xcb/xcb.h>

XWindowWatch::XWindowWatch() {
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screen);
    m_root = screen.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

XWindowWatch::~XWindowWatch() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

uint32_t XWindowWatch::atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr);
    const uint32_t value = reply ? reply->atom : 0;
    free(reply);
    return value;
}

void XWindowWatch::watch(uint32_t window) {
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
}

bool XWindowWatch::matches(uint32_t window, const QString& caption) {
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    free(attributes);
    if (!viewable)
        return false;
    xcb_get_property_reply_t* name =
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window, atom("_NET_WM_NAME"),
                                                atom("UTF8_STRING"), 0, 1024),
                               nullptr);
    const QString text =
        name ? QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name)),
                                 xcb_get_property_value_length(name))
             : QString();
    free(name);
    return text == caption;
}

uint32_t XWindowWatch::waitForCaption(const QString& caption, int timeoutMs) {
    if (!m_connection)
        return 0;
    uint32_t found = 0;
    QEventLoop loop;
    QSocketNotifier notifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    const auto drain = [&] {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            uint32_t window = 0;
            switch (event->response_type & ~0x80) {
            case XCB_CREATE_NOTIFY:
                window = reinterpret_cast<xcb_create_notify_event_t*>(event)->window;
                watch(window); // then look: it may have mapped and named itself already
                break;
            case XCB_MAP_NOTIFY:
                window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                break;
            case XCB_PROPERTY_NOTIFY:
                window = reinterpret_cast<xcb_property_notify_event_t*>(event)->window;
                break;
            default:
                break;
            }
            free(event);
            if (window && !found && matches(window, caption))
                found = window;
        }
        xcb_flush(m_connection);
        if (found)
            loop.quit();
    };
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, drain);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    drain();
    if (!found)
        loop.exec();
    return found;
}

bool XWindowWatch::isMaximised(uint32_t window) {
    xcb_get_property_reply_t* state = xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
        nullptr);
    bool vertical = false;
    bool horizontal = false;
    if (state) {
        const auto* atoms = static_cast<const uint32_t*>(xcb_get_property_value(state));
        const int count = xcb_get_property_value_length(state) / 4;
        const uint32_t v = atom("_NET_WM_STATE_MAXIMIZED_VERT");
        const uint32_t h = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
        for (int i = 0; i < count; ++i) {
            vertical = vertical || atoms[i] == v;
            horizontal = horizontal || atoms[i] == h;
        }
    }
    free(state);
    return vertical && horizontal;
}
