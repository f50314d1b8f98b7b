#pragma once

#include <QPixmap>

namespace kelvo {

/// The pictures beside the text of the program's own boxes.
enum class BoxPicture { Question, Information, Error };

/// Draws the picture at the given size (device-independent pixels).
QPixmap drawBoxPicture(BoxPicture picture, int size = 48);

} // namespace kelvo
