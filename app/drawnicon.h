#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

// The program's icons are SVG drawings in the resources. They are drawn here by the SVG
// renderer, once, at the sizes they are shown (in device pixels of the sharpest screen), so that
// starting the program needs no icon-engine or image-format plugin to be found and loaded.
QIcon drawnIcon(const QString &resource, std::initializer_list<int> sizes);
