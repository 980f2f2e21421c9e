#pragma once

#include <QIcon>

namespace stonewise {

// The picture of a tool button, drawn for any screen density; the disabled look comes from the icon.
QIcon buttonIcon(int picture);

} // namespace stonewise
