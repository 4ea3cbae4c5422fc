#pragma once
#include "app/AppSettings.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"

#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>

// A shown main frame over a document and settings of their own fresh program folder.
class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.init(m_dir.path().toStdString(), "orvoview");
        m_settings.readAll();
        m_doc.setProgramFolder(m_dir.path().toStdString());
        m_doc.setMonthStartDay([this] { return m_settings.monthStartDay; });
        m_frame = std::make_unique<CMainFrame>(&m_doc, &m_settings);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void TearDown() override { m_frame.reset(); }

    QTemporaryDir m_dir;
    AppSettings m_settings;
    COrvoViewDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame; // last: closed before the document it shows
};
