#pragma once

#include <QIcon>
#include <QPixmap>

namespace kelvo {

/// The program's own pictures, drawn rather than loaded so they are always
/// there: a microphone, green when listening and grey with a bar when
/// asleep. hovered gives the lighter image shown under the pointer.
QPixmap listeningPixmap(bool asleep, bool hovered, int size);

/// The web-call service's logo on the Options page: image 1, or with
/// hovered image 2, the lighter one shown under the pointer.
QPixmap voipLogoPixmap(bool hovered);

/// The tray icon: the same microphone at the sizes trays ask for.
QIcon trayIcon(bool asleep);

} // namespace kelvo
