// Every control a user reads or acts on, on every tab and in every dialog, is shown whole
// and uncovered.
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include "app/tests/main_form_fixture.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

using testing::MainFormTest;

// The part of a control that the user reads or acts on, in its own coordinates: a label's
// text, a radio button's or check box's indicator and caption, any other control whole.
// Text may reach beyond the control: that is what shows it cut off.
QRect UsedArea(const QWidget& control) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    if (label->text().isEmpty()) return {};
    return label->fontMetrics().boundingRect(
        label->contentsRect(), static_cast<int>(label->alignment()) | Qt::TextShowMnemonic,
        label->text());
  }
  const bool radio = qobject_cast<const QRadioButton*>(&control) != nullptr;
  if (const auto* box = qobject_cast<const QAbstractButton*>(&control);
      box != nullptr && (radio || qobject_cast<const QCheckBox*>(&control) != nullptr)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QStyle& style = *box->style();
    const QRect indicator = style.subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, box);
    const QRect contents = style.subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, box);
    return indicator |
           box->fontMetrics().boundingRect(
               contents, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->text());
  }
  return control.rect();
}

struct Used {
  QString name;
  QRect area;  // in the coordinates of the walked page or dialog
};

QString NameOf(const QWidget& control) {
  if (!control.objectName().isEmpty()) return control.objectName();
  QString text;
  if (const auto* label = qobject_cast<const QLabel*>(&control)) text = label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) text = button->text();
  return QString::fromLatin1(control.metaObject()->className()) + QStringLiteral(" \"") + text +
         QStringLiteral("\" in ") + NameOf(*control.parentWidget());
}

bool HoldsShownControls(const QWidget& widget, const QWidget& root) {
  const auto children = widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  return std::any_of(children.begin(), children.end(), [&](const QWidget* child) {
    return child->isVisibleTo(&root) && !child->isWindow();
  });
}

// Walks the shown controls below `root`: containers (group boxes, pages, button pairs) are
// looked into, anything else is one control. Every control cut off by itself or a container
// it lies in is reported into `faults`.
void Collect(const QWidget& root, const QWidget& parent, std::vector<Used>& used,
             QStringList& faults) {
  for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisibleTo(&root) || child->isWindow()) continue;
    const bool container = qobject_cast<const QAbstractScrollArea*>(child) == nullptr &&
                           qobject_cast<const QComboBox*>(child) == nullptr &&
                           HoldsShownControls(*child, root);
    if (container) {
      Collect(root, *child, used, faults);
      continue;
    }
    const QRect area = UsedArea(*child);
    if (area.isNull()) continue;
    for (const QWidget* holder = child; holder != root.parentWidget();
         holder = holder->parentWidget()) {
      const QRect inHolder(child->mapTo(holder, area.topLeft()), area.size());
      if (!holder->rect().contains(inHolder)) {
        faults << NameOf(*child) + QStringLiteral(" is cut off by ") + NameOf(*holder);
        break;
      }
    }
    used.push_back({NameOf(*child), QRect(child->mapTo(&root, area.topLeft()), area.size())});
  }
}

// Faults of the page or dialog: controls cut off, and pairs that overlap by more than a
// shared one-pixel edge.
QStringList LayoutFaults(const QWidget& root) {
  std::vector<Used> used;
  QStringList faults;
  Collect(root, root, used, faults);
  if (used.size() < 3) faults << QStringLiteral("only %1 controls found").arg(used.size());
  for (std::size_t i = 0; i < used.size(); ++i) {
    for (std::size_t j = i + 1; j < used.size(); ++j) {
      const QRect common = used[i].area & used[j].area;
      if (common.width() > 1 && common.height() > 1) {
        faults << QStringLiteral("%1 and %2 overlap by %3 x %4")
                      .arg(used[i].name, used[j].name)
                      .arg(common.width())
                      .arg(common.height());
      }
    }
  }
  return faults;
}

class Layout : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    // A full list of kinds, longer than the list shows at once.
    QStringList kinds;
    for (int kind = 0; kind < 64; ++kind)
      kinds << QStringLiteral("%1 種類").arg(kind, 2, 16, QChar(u'0'));
    folder.WriteShiftJis("ObjectList.txt", kinds.join(QStringLiteral("\r\n")));
    StartWithDemo();
    Find<QTimer>("FrameTimer")->stop();
    form->show();
  }
  // Opens a dialog as the user does and walks it while it is shown.
  QStringList DialogFaults(const std::function<void()>& open) {
    QStringList faults = {QStringLiteral("the dialog did not open")};
    dialogs.modals.push_back([&](QDialog& dialog) {
      dialog.show();
      faults = LayoutFaults(dialog);
      dialog.hide();
      return static_cast<int>(QDialog::Rejected);
    });
    open();
    return faults;
  }
};

TEST_F(Layout, NoControlIsCoveredOrCutOffOnAnyTabOrDialog) {
  auto* tabs = Find<QTabWidget>("EditPageControl");
  for (int tab = 0; tab < kEditTabCount; ++tab) {
    form->ShowTab(static_cast<EditTab>(tab));
    QApplication::processEvents();
    const QStringList faults = LayoutFaults(*tabs->widget(tab));
    EXPECT_TRUE(faults.isEmpty()) << tabs->tabText(tab).toStdString() << ":\n"
                                  << faults.join(u'\n').toStdString();
  }

  const std::pair<const char*, std::function<void()>> openings[] = {
      {"chip report",
       [&] {
         form->ShowTab(EditTab::Chip16x16);
         Find<QPushButton>("BtnUnusedTileChk")->click();
       }},
      {"duplicate chip preview",
       [&] {
         form->ShowTab(EditTab::MapSet);
         Find<QPushButton>("BtnReplaceMapSetChip")->click();
       }},
      {"map set grid",
       [&] {
         form->ShowTab(EditTab::MapSet);
         Click("ImgEditMapSetPage0", Qt::LeftButton, {5, 5}, Qt::ShiftModifier);
       }},
      {"object list",
       [&] {
         Stage().ClearRoom(0);
         form->ShowTab(EditTab::Object);
         Click("ImgObjectMapPage0", Qt::LeftButton, {5, 5}, Qt::ShiftModifier);
       }},
  };
  for (const auto& [dialog, open] : openings) {
    const QStringList faults = DialogFaults(open);
    EXPECT_TRUE(faults.isEmpty()) << dialog << ":\n" << faults.join(u'\n').toStdString();
  }
}

TEST_F(Layout, TheKindListOpensWithTwelveRows) {
  Stage().ClearRoom(0);
  Stage().AddObject(0, 40, 40, 0x20);
  form->ShowTab(EditTab::Object);
  Click("ImgObjectMapPage0", Qt::LeftButton, {40, 40});
  auto* kinds = Find<QComboBox>("CBSelectObject");
  ASSERT_TRUE(kinds->isEnabled());
  QTest::mouseClick(kinds, Qt::LeftButton);
  QAbstractItemView* list = kinds->view();
  ASSERT_TRUE(list->isVisible());
  int wholeRows = 0;
  for (int row = 0; row < kinds->count(); ++row) {
    if (list->viewport()->rect().contains(list->visualRect(kinds->model()->index(row, 0)))) {
      ++wholeRows;
    }
  }
  EXPECT_EQ(wholeRows, 12);
  kinds->hidePopup();
}

}  // namespace
}  // namespace zantor
