#pragma once

#include <QByteArray>
#include <QPair>
#include <QProcessEnvironment>
#include <QString>

class QProcess;

// A program measured from outside starts in a fresh HOME with XDG folders of its own inside it
// (holding the given user.reg, if any), so that every program starts as cold as the others.
QProcessEnvironment freshHome(const QString& home, const QByteArray& userReg = QByteArray());

// Lets the page settle, then the memory (RSS, PSS in MiB) of the process and all below it.
QPair<qint64, qint64> settledMemoryMiB(const QProcess& process);

// Ends the program: asked first, killed when it does not end.
void stop(QProcess& process);
