#pragma once

#include <QImage>
#include <QString>

// The pictures the build rendered into plain pixels (":/prerendered/<name>"), drawn without
// decoding: reading an image file probes every image-format plugin.
namespace PrerenderedPictures {

// The picture of that name in place in the program's memory, or a null image when the build made
// none or the machine keeps numbers in another byte order than the one the pixels were stored in.
QImage Picture(const QString& name);

} // namespace PrerenderedPictures
