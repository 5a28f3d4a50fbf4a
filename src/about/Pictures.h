#pragma once
// The small pictures of the about and promotion windows, drawn at run time so that the program ships no
// image files: the publisher's icon and header, and the minimise and exit pictures of the promotion windows.
#include <QPixmap>
#include <QSize>

namespace tavrel::about {

QPixmap BrandIcon(int size);           // a bridge arch on a blue tile
QPixmap HeaderBackground(QSize size);  // the blue band behind the about window's header
QPixmap MinimisePicture(int size);     // a bar at the bottom of a square
QPixmap ExitPicture(int size);         // a cross on red

}  // namespace tavrel::about
