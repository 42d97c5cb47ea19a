#pragma once

#include "app/main_form.h"
#include "edit/data_object.h"

class QDragMoveEvent;
class QDropEvent;
class QMimeData;

namespace hopwick {

using DragOverHandler = void (MainForm::*)(const DataObject&, int&, int, int, float, float, int);
using DropHandler = void (MainForm::*)(const DataObject&, int&, int, int, float, float);

inline constexpr int kDragEnter = 0;
inline constexpr int kDragOver = 2;

// The dragged data as the drop handlers see it: the paths of local files, byte for byte as the file system
// names them, or no file list at all.
DataObject dataObjectFrom(const QMimeData& mime);

// Runs a drag-over handler and accepts the drag as a copy when the handler asks for it.
void forwardDragOver(MainForm& form, DragOverHandler handler, QDragMoveEvent& event, int state);
// Runs a drop handler. The drop is reported as a copy, never a move: the launcher keeps only the path, and a
// move would let the source delete the file.
void forwardDrop(MainForm& form, DropHandler handler, QDropEvent& event);

} // namespace hopwick
