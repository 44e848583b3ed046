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

using testkit::spreadCar;

class WindowTest : public ::testing::Test, public testkit::StartFolder {
public:
    // With the settings file in place unless this is a first start.
    EditorWindow& startEditor(const std::filesystem::path& commandLine = {}, bool firstStart = false)
    {
        if (!firstStart) writeSettings();
        editor_ = std::make_unique<EditorWindow>(services_);
        editor_->setPageFolder(qpath(dir_.path()) + "/"); // where a test puts its pages
        editor_->start({dir_.path(), commandLine}); // the test's folder stands for the working directory
        editor_->show();
        editor_->activateWindow();
        (void)QTest::qWaitForWindowActive(editor_.get());
        return *editor_;
    }

    // Drags what `mime` carries onto the window and drops it.
    void drop(const QMimeData& mime)
    {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor_.get(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor_.get(), &dropped);
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
