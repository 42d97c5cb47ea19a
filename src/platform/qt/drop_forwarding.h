#pragma once

#include "app/data_object.h"
#include "app/main_form.h"

class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QObject;

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
// Finishes the drop at once and runs the drop handler once the event has returned, so that the source hears
// the drop's result before any question is asked, and a later drag is never answered from inside this one's
// questions. The drop is reported as a copy, never a move: the launcher keeps only the path, and a move would
// let the source delete the file. The handler does not run if `target` is gone by then.
void forwardDrop(MainForm& form, DropHandler handler, QDropEvent& event, QObject& target);

} // namespace hopwick
