// The player setup dialog, opened by "Nouvelle Partie" (Ctrl+N): it shows the game's set-up and forwards each change.
#include "TForm2.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "BackgroundStrategies.h"
#include "CentreOnScreen.h"
#include "DialogFrame.h"
#include "Fonts.h"
#include "GlassLook.h"
#include "NameEdit.h"
#include "TForm1.h"
#include "TTexturePanel.h"
#include "UiWidgets.h"
#include "UpDown.h"
#include "Words.h"

namespace quimba::ui {

namespace {

QLabel* OpaqueLabel(QWidget* parent, const char* name, int x, int y, const QString& text) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // language lines, shown as written
    label->setText(text);
    label->setAutoFillBackground(true);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QGroupBox* OpaqueGroup(QWidget* parent, const char* name, const QString& title, const QRect& geometry) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    group->setAutoFillBackground(true);
    return group;
}

QRadioButton* Radio(QGroupBox* group, const char* name, const QString& text, const QPoint& at) {
    auto* radio = new QRadioButton(text, group);
    radio->setObjectName(name);
    radio->move(at);
    return radio;
}

}  // namespace

TForm2::TForm2(TForm1* main) : QDialog(main), main_(main) {
    SetUpDialog(*this, "Form2", "Choisissez le nombre de joueurs humains ou ordinateurs", QSize(729, 297));

    TexturePanel1 = new TTexturePanel(this);
    TexturePanel1->setObjectName("TexturePanel1");
    TexturePanel1->setGeometry(0, 0, 729, 297);
    TexturePanel1->SetTexture(main->Image2);
    QWidget* p = TexturePanel1;

    Label6 = OpaqueLabel(p, "Label6", 59, 81, "Nombre de joueurs");
    UpDown1 = new UpDown(p);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setGeometry(60, 120, 108, 37);
    Label7 = OpaqueLabel(p, "Label7", 109, 178, "2");
    Label7->setFont(LayoutFont("Arial", 15, true));
    Label7->adjustSize();

    const char* labelNames[6] = {"", "Label1", "Label2", "Label3", "Label4", "Label8"};
    const int labelY[6] = {0, 81, 107, 129, 155, 178};
    const int editY[6] = {0, 79, 103, 127, 151, 174};
    const int boxY[6] = {0, 82, 106, 130, 154, 178};
    for (int i = 1; i <= 5; ++i) {
        PlayerLabel[i] = OpaqueLabel(p, labelNames[i], 288, labelY[i], QString("Joueur %1").arg(i));
        Edit[i] = new NameEdit(p);
        Edit[i]->setObjectName(QString("Edit%1").arg(i));
        Edit[i]->setGeometry(342, editY[i], 40, 21);
        CheckBox[i] = new QCheckBox("Humain/ordinateur", p);
        CheckBox[i]->setObjectName(QString("CheckBox%1").arg(i));
        CheckBox[i]->setGeometry(387, boxY[i], 136, 17);
        CheckBox[i]->setAutoFillBackground(true);
        CheckBox[i]->setCursor(Qt::PointingHandCursor);
        connect(CheckBox[i], &QCheckBox::toggled, this, [this, i](bool checked) { CheckBoxClick(i, checked); });
        connect(Edit[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { main_->Commands().SetupName(i, text.toStdString()); });
    }

    GroupBox1 = OpaqueGroup(p, "GroupBox1", "Type de jeu ", QRect(545, 82, 148, 113));
    RadioButton1 = Radio(GroupBox1, "RadioButton1", "Normal", QPoint(12, 20));
    RadioButton2 = Radio(GroupBox1, "RadioButton2", "Ascendant", QPoint(12, 49));
    RadioButton3 = Radio(GroupBox1, "RadioButton3", "Descendant", QPoint(12, 77));
    RadioButton1->setChecked(true);
    auto radio = [this](int type) {
        return [this, type](bool on) {
            if (on) main_->Commands().SetupGameType(type);
        };
    };
    connect(RadioButton1, &QRadioButton::toggled, this, radio(1));
    connect(RadioButton2, &QRadioButton::toggled, this, radio(2));
    connect(RadioButton3, &QRadioButton::toggled, this, radio(3));

    // The computer's level, in the room left between the game types and the
    // two buttons; a little wider than the game types, for its two choices
    // side by side.
    GroupBox2 = OpaqueGroup(p, "GroupBox2", "Niveau de l'ordinateur", QRect(545, 197, 172, 36));
    RadioButton4 = Radio(GroupBox2, "RadioButton4", "Classique", QPoint(8, 14));
    RadioButton5 = Radio(GroupBox2, "RadioButton5", "Expert", QPoint(98, 14));
    RadioButton4->setChecked(true);
    connect(RadioButton4, &QRadioButton::toggled, this, [this](bool on) {
        if (on) main_->Commands().SetupLevel(Level::Classic);
    });
    connect(RadioButton5, &QRadioButton::toggled, this, [this](bool on) {
        if (on) main_->Commands().SetupLevel(Level::Expert);
    });

    glassbtn1 = MakeGlassButton(p, "glassbtn1", QRect(275, 235, 198, 38), "Commencer");
    glassbtn2 = MakeGlassButton(p, "glassbtn2", QRect(499, 235, 198, 38), "retour");
    // Reachable with Tab, and named for screen readers.
    glassbtn1->SetTabStop(true);
    glassbtn2->SetTabStop(true);
    for (int i = 1; i <= 5; ++i) PlayerLabel[i]->setBuddy(Edit[i]);
    connect(glassbtn1, &TGlassButton::OnClick, this, &TForm2::button1Click);
    connect(glassbtn2, &TGlassButton::OnClick, this, [this] {
        main_->Commands().SetupCancelled();
        reject();
    });
    connect(UpDown1, &UpDown::Clicked, this, [this](bool next) {
        const int before = PlayerCount();
        main_->Commands().SetupPlayers(next);
        Mirror();
        if (PlayerCount() != before) {
            QAccessibleValueChangeEvent event(UpDown1, PlayerCount());
            QAccessible::updateAccessibility(&event);
        }
    });
    Mirror();
}

void TForm2::Mirror() {
    const SetupForm& form = main_->game().Setup();
    for (int i = 1; i <= 5; ++i) {
        const QSignalBlocker block(CheckBox[i]);
        if (Edit[i]->text() != QString::fromStdString(form.Edit[i]))
            Edit[i]->setText(QString::fromStdString(form.Edit[i]));
        Edit[i]->setEnabled(form.EditEnabled[i]);
        CheckBox[i]->setChecked(form.CheckBox[i]);
        PlayerLabel[i]->setVisible(form.RowVisible[i]);
        Edit[i]->setVisible(form.RowVisible[i]);
        CheckBox[i]->setVisible(form.RowVisible[i]);
    }
    // Five boxes share one caption; the player's heading tells them apart.
    const Words words(main_->game().T);
    for (int i = 1; i <= 5; ++i)
        CheckBox[i]->setAccessibleName(QString::fromStdString(
            words.Labelled(PlayerLabel[i]->text().toStdString(), CheckBox[i]->text().toStdString())));
    {
        const QSignalBlocker block4(RadioButton4), block5(RadioButton5);
        RadioButton4->setChecked(form.Niveau != Level::Expert);
        RadioButton5->setChecked(form.Niveau == Level::Expert);
    }
    Label7->setText(QString::fromStdString(form.Label7));
    Label7->adjustSize();
    update();
}

int TForm2::PlayerCount() const { return main_->game().Form2.nbjoueurs; }

void TForm2::SetPlayerCount(int count) {
    // As many clicks on the arrows as it takes; the form keeps to 2 to 5.
    for (int guard = 0; guard < kMaxPlayers && PlayerCount() != count; ++guard)
        emit UpDown1->Clicked(count > PlayerCount());
}

void TForm2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreOnScreen(this);

    main_->Commands().SetupOpened();
    Mirror();
    // The dialog opens with its focus shown, on "Commencer": Enter or Space
    // starts at once, Tab walks to the names and choices.
    glassbtn1->setFocus(Qt::TabFocusReason);
}

void TForm2::keyPressEvent(QKeyEvent* e) {
    // Enter starts the game, as a default button would; a focused glass
    // button takes its own Enter first.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        button1Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TForm2::CheckBoxClick(int player, bool checked) {
    main_->Commands().SetupComputer(player, checked);
    Mirror();
}

void TForm2::button1Click() {
    main_->Commands().NewGame();
    // The table for this game type is prepared now, off the window's thread,
    // so that the advice and an expert computer seldom have to wait for it.
    main_->Strategies().Table(main_->game().State().typejeu);
    main_->Sync();
    main_->Grid->update();
    accept();
}

}  // namespace quimba::ui
