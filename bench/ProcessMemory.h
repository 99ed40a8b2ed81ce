#pragma once

#include <QPair>
#include <QtGlobal>

// Memory of a process and every process below it (the engine's zygote, renderers, GPU), in
// MiB: RSS counts shared pages once per process, PSS shares them out.
QPair<qint64, qint64> treeMemoryMiB(qint64 root);
