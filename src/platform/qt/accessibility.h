#pragma once

#include <QtCore/QString>

class QWidget;

namespace hopwick {

class MainWindow;

// Makes the window's own accessible interfaces known to Qt; before the first control is created, since Qt keeps
// the interface it gives an object first.
void installAccessibleInterfaces();

// What assistive technologies are told about the window: the labels that act on a click as push buttons with
// a press action, the text box named by its label, and only the controls inside the window's visible area,
// so that the setup band below the edge is offered in setup mode alone; the list with its entries (see
// list_accessible.h).
void describeForAssistiveTechnology(MainWindow& window);

// A caption as read out: without an access-key mark in parentheses ("(&A)追加" reads "追加") and without a
// lone "&"; the key itself is announced as the control's shortcut.
QString accessibleCaption(const QString& caption);

// Names a dialog's buttons by their captions as read out ("はい(&Y)" reads "はい").
void nameButtonsByCaption(QWidget& dialog);

// Whether a control of the window lies at least partly inside the window's visible area.
bool inView(const QWidget& control);

} // namespace hopwick
