#pragma once

#include <QString>
#include <cstdint>

struct xcb_connection_t;

// Watches the X server for a top-level window that is mapped and shows a given caption, from
// the events the server sends (no polling, so the programs measured keep the cores). Qt's
// event loop keeps running while it waits.
class XWindowWatch {
public:
    XWindowWatch();
    ~XWindowWatch();
    XWindowWatch(const XWindowWatch&) = delete;
    XWindowWatch& operator=(const XWindowWatch&) = delete;

    bool isConnected() const { return m_connection != nullptr; }
    // The window, once mapped with exactly this caption; 0 when none came in time.
    uint32_t waitForCaption(const QString& caption, int timeoutMs);
    // Mapped and maximised both ways, as the window manager reports it.
    bool isMaximised(uint32_t window);

private:
    uint32_t atom(const char* name);
    void watch(uint32_t window);
    bool matches(uint32_t window, const QString& caption);

    xcb_connection_t* m_connection = nullptr;
    uint32_t m_root = 0;
};
