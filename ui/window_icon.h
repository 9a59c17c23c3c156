#pragma once

#include <QIcon>
#include <QImage>

namespace tolvan {

// The program's icon: a grey open-ended spanner lying diagonally on a transparent ground,
// drawn at `size` pixels square in colours of the standard 16-colour palette, without
// anti-aliasing.
QImage SpannerImage(int size);

// The icon at 32 x 32 and 16 x 16.
QIcon SpannerIcon();

}  // namespace tolvan
