#pragma once

// Starts the real editor window offscreen in a working directory of its own.

#include "files/CarFile.h"
#include "ui/EditorWindow.h"
#include "ui/SpinArrows.h"

#include "StartFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace rivetbay {

// The real editor window, started in `folder` as its working directory
// (where a test puts its pages too), shown and active.
inline std::unique_ptr<EditorWindow> startedEditor(testkit::FakeServices& services, const std::filesystem::path& folder,
                                                   const std::filesystem::path& commandLine)
{
    auto editor = std::make_unique<EditorWindow>(services);
    editor->setPageFolder(QString::fromStdString(folder.string()) + "/");
    editor->start({folder, commandLine});
    editor->show();
    editor->activateWindow();
    (void)QTest::qWaitForWindowActive(editor.get());
    return editor;
}

// Drags what `mime` carries onto the window and drops it.
inline void dropOn(QWidget* window, const QMimeData& mime)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &dropped);
}

struct WindowTest : ::testing::Test, testkit::StartFolder {
    EditorWindow& startEditor(const std::filesystem::path& commandLine = {})
    {
        writeSettings();
        editor_ = startedEditor(services_, dir_.path(), commandLine);
        return *editor_;
    }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }

    template <typename T> T* find(const char* name)
    {
        T* widget = editor_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString qpath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    std::unique_ptr<EditorWindow> editor_;
};

} // namespace rivetbay
