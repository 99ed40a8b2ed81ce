#pragma once

#include <QByteArray>

class QProcessEnvironment;
class QString;

// What the engine is told before the application object exists. Call prepareEngine() before
// QApplication: how pages are drawn and how windows share renderer processes cannot change
// once the engine has started. Drawn without OpenGL, the engine's start is also kept from
// loading the OpenGL emulation (about 30 MiB it would never use).
void prepareEngine();

// Call once the first profile is made (the engine has started): what only the start needed is
// taken back, so that programs the browser starts do not inherit it.
void engineStarted();

// The engine's command-line switches with process sharing added: windows of one site share one
// renderer process, every site keeps processes of its own, and no spare process waits for the
// next site. The switches a person gave stay; a person who chose a process model keeps it.
QByteArray withProcessSharing(const QByteArray& given);

// True when a device that draws in hardware is there: a DRM render node under dri/, or the
// NVIDIA driver's own device.
bool hasGraphicsDevice(const QString& deviceFolder);

// True when windows should draw pages without OpenGL: the person asked for Qt Quick's software
// back end, or chose no way of drawing and there is no device to draw with (OpenGL would only
// be emulated on the processor, beside the engine's own software compositing).
bool drawsWithoutOpenGl(const QProcessEnvironment& environment, bool graphicsDevice);
