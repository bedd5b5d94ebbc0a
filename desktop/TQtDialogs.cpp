#include "TQtDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "TErrorBoundary.h"

void TQtDialogs::StopIfEnding() const
{
  if (FBoundary.Ending())
    throw TTerminating{};
}

void TQtDialogs::ShowMessage(const std::string& Text)
{
  QString Lines = QString::fromStdString(Text);
  Lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox Box(QMessageBox::NoIcon, QStringLiteral("Tavrelo"), Lines);
  Box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  Box.exec();
  StopIfEnding();
}

bool TQtDialogs::Confirm(const std::string& Text)
{
  QMessageBox Box(QMessageBox::Question, QStringLiteral("Confirmation"), QString::fromStdString(Text));
  QPushButton* Oui = Box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* Non = Box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  Box.setDefaultButton(Oui);
  Box.setEscapeButton(Non);
  Box.exec();
  StopIfEnding();
  return Box.clickedButton() == Oui;
}

bool TQtDialogs::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
  QDialog Box;
  Box.setWindowTitle(QString::fromStdString(Caption));
  auto* Layout = new QVBoxLayout(&Box);
  Layout->addWidget(new QLabel(QString::fromStdString(Prompt), &Box));
  auto* Edit = new QLineEdit(&Box);
  Edit->setMaxLength(255);
  Edit->setText(QString::fromStdString(Value));
  Edit->selectAll();
  Layout->addWidget(Edit);
  auto* Buttons = new QDialogButtonBox(&Box);
  QPushButton* Ok = Buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  Buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
  Ok->setDefault(true);
  QObject::connect(Buttons, &QDialogButtonBox::accepted, &Box, &QDialog::accept);
  QObject::connect(Buttons, &QDialogButtonBox::rejected, &Box, &QDialog::reject);
  Layout->addWidget(Buttons);
  const bool Accepted = Box.exec() == QDialog::Accepted;
  StopIfEnding();
  if (Accepted)
    Value = Edit->text().toStdString();
  return Accepted;
}
