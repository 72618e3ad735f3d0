// The "&Ok" and "&Abort" buttons the editor's dialogs share.
#pragma once

#include <functional>

class QDialog;
class QDialogButtonBox;

namespace tavrel {

/// Buttons named BtnOk and BtnAbort for `dialog`: Abort rejects it, Ok runs `onOk`, or
/// accepts the dialog when no `onOk` is given.
QDialogButtonBox* OkAbortButtons(QDialog* dialog, std::function<void()> onOk = {});

} // namespace tavrel
