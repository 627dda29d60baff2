#pragma once
// The settings dialog's number boxes: edit boxes that take digits only, and never a
// number beyond their maximum by appending. A typed character passes CheckNumText; a
// paste, however it comes (Ctrl+V, Shift+Insert, the context menu), passes PasteAllowed.
// The program itself, and the spin buttons beside the boxes, still set any text.

#include <windows.h>

namespace rilto {

// Makes `edit` a number box for the rest of its life; on focus its text is selected.
// False when Windows refuses.
bool MakeNumberBox(HWND edit);

}  // namespace rilto
