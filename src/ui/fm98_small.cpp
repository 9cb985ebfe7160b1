#include "fm98_small.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "qt_user_port.h"

namespace tz::ui {

Fm98Ver::Fm98Ver(const QString& appTitle, QWidget* parent) : QDialog(parent) {
  setObjectName("Fm98Ver");
  setWindowTitle(ToQ("ﾊﾞｰｼﾞｮﾝ"));
  auto* lay = new QVBoxLayout(this);
  auto* title = new QLabel(appTitle, this);
  title->setObjectName("LbTitle");
  QFont f = title->font();
  f.setPointSizeF(f.pointSizeF() * 1.6);
  f.setBold(true);
  title->setFont(f);
  auto* ver = new QLabel(ToQ("Ver 2.041"), this);
  ver->setObjectName("LbVersion");
  lay->addWidget(title, 0, Qt::AlignHCenter);
  lay->addWidget(ver, 0, Qt::AlignHCenter);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  lay->addWidget(box);
}

Fm98Help::Fm98Help(QWidget* parent) : QDialog(parent) {
  setObjectName("Fm98Help");
  setWindowTitle(ToQ("ヘルプ"));
  auto* lay = new QVBoxLayout(this);
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  lay->addWidget(Text1);
  Command1 = new QPushButton(ToQ("閉じる"), this);
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, &QDialog::close);
  lay->addWidget(Command1, 0, Qt::AlignRight);
  resize(480, 360);
}

void Fm98Help::SetHelpText(const QString& text) {
  QString t = text;
  t.replace("\r\n", "\n");
  Text1->setPlainText(t);
}

}  // namespace tz::ui
