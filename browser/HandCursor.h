#pragma once

#include <QCursor>

// The 32 x 32 monochrome hand shown over every tool bar element; hot spot at (12, 9).
QCursor handCursor();
