#include "editor/editor_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace omvi::editor {

EditorWindow::EditorWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Wykresy"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("EditorPlaceholder"));
    layout->addWidget(note);
    resize(800, 600);
}

void EditorWindow::Close_Form2() {
    if (isVisible()) {
        close();
    }
}

void EditorWindow::uncheckLambdaChoices() {}

void EditorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace omvi::editor
