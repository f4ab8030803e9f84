// A 青岚 catalogue window on the offscreen platform, with a scripted desktop.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "platform/desktop.h"
#include "plugins/qinglan/catalogue_window.h"
#include "plugins/qinglan/catalogue_window_table.h"
#include "plugins/qinglan/kept_texts.h"
#include "standin/standin.h"
#include "tests/support/scripted_desktop_scope.h"

namespace mozhou::testing {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { qinglan::Kept_Release(); }
  void TearDown() override {
    catalogue.reset();
    qinglan::Kept_Release();
  }

  void Open(const std::string& site_base) {
    catalogue = std::make_unique<qinglan::CatalogueWindow>(site_base);
    catalogue->window().Show();
    QCoreApplication::processEvents();
  }

  ui::Window& window() { return catalogue->window(); }
  std::string Status(int part) { return window().Status_Part("状态条1", part); }

  void ChooseCategory(int index) {
    window().Combo_Select(qinglan::kCategoryBox, index);
    Click(qinglan::kCategoryGo);
  }

  void Click(const char* name) {
    auto* button = qobject_cast<QAbstractButton*>(window().Widget(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  // A real double click on a row of the list.
  void DoubleClickRow(int row) {
    auto* list = qobject_cast<QTreeWidget*>(window().Widget(qinglan::kList));
    ASSERT_NE(list, nullptr);
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  ScriptedDesktopScope scripted_desktop;  // first: it outlives the window
  ui::ScriptedDesktop* desktop = &scripted_desktop.desktop();
  std::unique_ptr<qinglan::CatalogueWindow> catalogue;
};

// The same window against the stand-in 青岚 site, started for the test.
class StandinCatalogueTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    site = standin::Site::Start({standin::SiteKind::Qinglan});
    ASSERT_NE(site, nullptr);
    Open(site->Base());
  }
  std::unique_ptr<standin::Site> site;
};

}  // namespace mozhou::testing
