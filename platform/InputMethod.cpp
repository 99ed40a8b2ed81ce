#include "platform/InputMethod.h"

#include <QList>
#include <QtGlobal>

namespace {
QByteArray framework(const QByteArray& name) {
    const QByteArray lower = name.trimmed().toLower();
    if (lower.startsWith("fcitx"))
        return "fcitx";
    if (lower == "ibus")
        return "ibus";
    return QByteArray();
}
} // namespace

QByteArray inputMethodModule(const QByteArray& qtImModule, const QByteArray& gtkImModule,
                             const QByteArray& xModifiers) {
    if (!qtImModule.isEmpty())
        return qtImModule;
    if (const QByteArray fromGtk = framework(gtkImModule); !fromGtk.isEmpty())
        return fromGtk;
    const qsizetype at = xModifiers.indexOf("@im=");
    if (at >= 0)
        return framework(xModifiers.mid(at + 4).split('@').first());
    return QByteArray();
}

void chooseInputMethod() {
    const QByteArray module =
        inputMethodModule(qgetenv("QT_IM_MODULE"), qgetenv("GTK_IM_MODULE"), qgetenv("XMODIFIERS"));
    if (!module.isEmpty() && qEnvironmentVariableIsEmpty("QT_IM_MODULE"))
        qputenv("QT_IM_MODULE", module);
}
