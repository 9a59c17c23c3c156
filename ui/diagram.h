#pragma once

#include <QImage>

namespace tolvan {

// The transformer as line art, 400 x 107 pixels, black on white, one bit per pixel: the feed
// line (Zo), Line-2 (Zm), Line-1 (Zo), the load, and the dimension marks l2 and l1 below.
QImage TransformerDiagram();

}  // namespace tolvan
