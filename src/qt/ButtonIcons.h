#pragma once

#include <QIcon>

namespace stonewise {

// The picture of a tool button, drawn for any screen density when first shown (once per size and
// state); the disabled look comes from the icon.
QIcon buttonIcon(int picture);

} // namespace stonewise
