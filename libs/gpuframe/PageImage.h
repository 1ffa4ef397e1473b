#pragma once
// Pictures whose pixels are taken straight from the system in whole pages and
// handed back the moment the last QImage sharing them goes. Frame pictures
// are made and dropped on loader threads while the user-interface thread
// makes others; through malloc, pictures of a few megabytes freed that way
// stay resident in each thread's arena long after the frames left the cache.
// Any thread; a system call per picture. A null image when the size is empty
// or the system refuses.

#include <QImage>
#include <QSize>

QImage NewPageImage(QSize size, QImage::Format format);
