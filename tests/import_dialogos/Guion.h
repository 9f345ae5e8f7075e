#pragma once
// Playing the user in the suites: typing into a grid, and acting on a modal dialog
// once it is up.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Types into a grid as a user does: the first key opens the current cell's editor, the
// others go to whatever has the focus.
inline void teclear(QWidget* rejilla, const QString& texto) {
  for (QChar c : texto) {
    QWidget* destino =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : rejilla;
    QTest::keyClick(destino, c.toLatin1());
  }
}

// Runs `accion` on the modal dialog once it is shown and active; a dialog the action
// leaves open is closed, so that a failing check cannot leave the suite waiting.
inline void alMostrarse(std::function<void(QDialog*)> accion) {
  QTimer::singleShot(0, [accion] {
    auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialogo == nullptr) {
      alMostrarse(accion);
      return;
    }
    if (QTest::qWaitForWindowActive(dialogo)) accion(dialogo);
    if (dialogo->isVisible()) dialogo->close();
  });
}
