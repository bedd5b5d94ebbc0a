#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "TErrorBoundary.h"
#include "TQtDialogs.h"

namespace {

// Run Act on the modal box once it is open.
void OnModal(std::function<void(QWidget*)> Act)
{
  QTimer::singleShot(0, [Act = std::move(Act)] {
    QWidget* Box = QApplication::activeModalWidget();
    ASSERT_NE(Box, nullptr);
    Act(Box);
  });
}

// Answer the texts of the push buttons of Box.
QStringList ButtonTexts(QWidget* Box)
{
  QStringList Texts;
  for (QPushButton* Button : Box->findChildren<QPushButton*>())
    Texts << Button->text();
  Texts.sort();
  return Texts;
}

// Click the push button of Box captioned Text.
void ClickButton(QWidget* Box, const QString& Text)
{
  for (QPushButton* Button : Box->findChildren<QPushButton*>())
    if (Button->text() == Text) {
      Button->click();
      return;
    }
  ADD_FAILURE() << "no button " << Text.toStdString();
}

class QtDialogs : public ::testing::Test {
protected:
  TStderrErrorBox Stderr;
  TErrorBoundary Boundary{Stderr};
  TQtDialogs Dialogs{Boundary};
};

TEST_F(QtDialogs, MessageIsAPlainBoxTitledTavreloWithOk)
{
  OnModal([](QWidget* Box) {
    auto* Message = qobject_cast<QMessageBox*>(Box);
    ASSERT_NE(Message, nullptr);
    EXPECT_EQ(Message->windowTitle(), "Tavrelo");
    EXPECT_EQ(Message->text(), "Impossible en cours de connexion");
    EXPECT_EQ(Message->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(ButtonTexts(Box), QStringList{"OK"});
    ClickButton(Box, "OK");
  });
  Dialogs.ShowMessage("Impossible en cours de connexion");
}

TEST_F(QtDialogs, ConfirmationAnswersOuiOnlyForOui)
{
  struct TCase {
    const char* Press; // a button caption, or "Escape"
    bool Answer;
  };
  for (const TCase& Case : {TCase{"&Oui", true}, TCase{"&Non", false}, TCase{"Escape", false}}) {
    OnModal([&Case](QWidget* Box) {
      auto* Message = qobject_cast<QMessageBox*>(Box);
      ASSERT_NE(Message, nullptr);
      EXPECT_EQ(Message->windowTitle(), "Confirmation");
      EXPECT_EQ(Message->icon(), QMessageBox::Question);
      EXPECT_EQ(ButtonTexts(Box), (QStringList{"&Non", "&Oui"}));
      ASSERT_NE(Message->defaultButton(), nullptr);
      EXPECT_EQ(Message->defaultButton()->text(), "&Oui");
      if (QString(Case.Press) == "Escape") {
        QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(Box, &Escape);
      } else {
        ClickButton(Box, Case.Press);
      }
    });
    EXPECT_EQ(Dialogs.Confirm("Initialiser les valeurs enregistrées"), Case.Answer) << Case.Press;
  }
}

TEST_F(QtDialogs, InputBoxStartsWithTheTextSelectedAndKeepsItOnAnnuler)
{
  std::string Value = "20";
  OnModal([](QWidget* Box) {
    EXPECT_EQ(Box->windowTitle(), "Fixer le forfait en heures");
    EXPECT_EQ(ButtonTexts(Box), (QStringList{"Annuler", "OK"}));
    auto* Edit = Box->findChild<QLineEdit*>();
    ASSERT_NE(Edit, nullptr);
    EXPECT_EQ(Edit->maxLength(), 255);
    EXPECT_EQ(Edit->selectedText(), "20");
    Edit->setText(QString(300, QLatin1Char('7')));
    ClickButton(Box, "Annuler");
  });
  EXPECT_FALSE(Dialogs.InputQuery("Fixer le forfait en heures", "Entrer la nouvelle valeur", Value));
  EXPECT_EQ(Value, "20");

  OnModal([](QWidget* Box) {
    auto* Edit = Box->findChild<QLineEdit*>();
    ASSERT_NE(Edit, nullptr);
    Edit->setText(QString(300, QLatin1Char('7')));
    ClickButton(Box, "OK");
  });
  EXPECT_TRUE(Dialogs.InputQuery("Fixer le forfait en heures", "Entrer la nouvelle valeur", Value));
  EXPECT_EQ(Value, std::string(255, '7'));
}

TEST_F(QtDialogs, ABoxOpenWhenTheProgramEndsStopsItsHandler)
{
  OnModal([this](QWidget* Box) {
    Boundary.BeginTermination();
    ClickButton(Box, "&Oui");
  });
  EXPECT_THROW(Dialogs.Confirm("Initialiser les valeurs enregistrées"), TTerminating);
}

} // namespace
