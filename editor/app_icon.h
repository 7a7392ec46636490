// The editor's own icon, drawn in code: a small ship firing to the right on a night sky.
#pragma once
#include <QIcon>

namespace editor {

QIcon ApplicationIcon();

} // namespace editor
