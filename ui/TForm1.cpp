#include "TForm1.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "BestScoresFile.h"
#include "CentreOnScreen.h"
#include "Fonts.h"
#include "GameAccessible.h"
#include "GlassLook.h"
#include "HistoryWindow.h"
#include "Language.h"
#include "PartyStore.h"
#include "PictureFiles.h"
#include "QtSettingsStore.h"
#include "StrategyCache.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiWidgets.h"

// Resources of a static library must be registered by hand.
static void InitUiResources() { Q_INIT_RESOURCE(resources); }

namespace quimba::ui {

namespace {

const QColor kYellow(255, 255, 0);
// The advice's frame: a colour neither the board, the dice nor the keep mark use.
const QColor kAdviceFrame(0, 230, 90);
constexpr int kResultWidth = 183;
const QColor kRed(255, 0, 0);

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const QString& text, const QFont& font,
                  const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Names and language lines are shown as typed: never markup, never a
    // picture fetched from a path a text happens to hold.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// Row headings beside the sheet: name row and totals in red, the rest yellow.
struct Heading {
    const char* name;
    int x, y;
    const char* text;
    bool red;
};
const Heading kHeadings[] = {
    {"Label25", 45, 104, "Joueur", true},  {"Label6", 64, 125, "1", false},      {"Label7", 64, 147, "2", false},
    {"Label8", 64, 167, "3", false},       {"Label9", 64, 189, "4", false},      {"Label10", 65, 210, "5", false},
    {"Label11", 65, 232, "6", false},      {"Label13", 44, 256, "Bonus", true},  {"Label12", 51, 279, "Total", true},
    {"Label14", 54, 300, "Plus", false},   {"Label15", 46, 321, "Moins", false}, {"Label20", 43, 344, "Brelan", false},
    {"Label18", 50, 367, "Suite", false},  {"Label17", 58, 390, "Full", false},  {"Label19", 48, 412, "Carré", false},
    {"Label16", 48, 433, "Quimba", false}, {"Label21", 51, 455, "Total", true},
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TForm1::TForm1(const QString& programDir, std::unique_ptr<RandomSource> random, QWidget* parent)
    : TForm1(LocateFiles(programDir), std::move(random), parent) {}

TForm1::TForm1(const ProgramFiles& files, std::unique_ptr<RandomSource> random, QWidget* parent)
    : QWidget(parent),
      files_(files),
      random_(random ? std::move(random) : std::make_unique<ClockRandom>()) {
    InitUiResources();
    InstallGameAccessibility();
    game_ = std::make_unique<Game>(*random_, clock_, *this);
    strategies_ = std::make_unique<BackgroundStrategies>();
    game_->strategies = strategies_.get();
    connect(strategies_.get(), &BackgroundStrategies::Ready, this, &TForm1::StrategyReady);
    TellReaders = [](QAccessibleEvent* event) { QAccessible::updateAccessibility(event); };
    ShowMessage = [](const QString& text) { QMessageBox::critical(nullptr, "3DQUIMBA", text); };
    BuildLayout();
    BuildShortcuts();
    LoadSounds();
}

TForm1::~TForm1() = default;

void TForm1::SetDialogs(TForm2* setup, TForm4* help, TForm5* scores) {
    Form2 = setup;
    Form4 = help;
    Form5 = scores;
}

void TForm1::BuildLayout() {
    setObjectName("Form1");
    setWindowTitle("3D QUIMBA");
    setFixedSize(1024 + 2, 525 + 2);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    TexturePanel1 = new TTexturePanel(this);
    TexturePanel1->setObjectName("TexturePanel1");
    TexturePanel1->setGeometry(1, 1, 1024, 525);
    QWidget* panel = TexturePanel1;

    Image2 = QImage(":/images/image2.bmp").convertToFormat(QImage::Format_RGB888);

    const QFont impact = LayoutFont("Impact", 12);
    for (const Heading& h : kHeadings) MakeLabel(panel, h.name, h.x, h.y, h.text, impact, h.red ? kRed : kYellow);
    KeepHeadingsClearOfTheSheet();

    const QFont courier15 = LayoutFont("Courier New", 15, true);
    Label22 = MakeLabel(panel, "Label22", 236, 99, "Meilleur score :", courier15, kYellow);
    Label28 = MakeLabel(panel, "Label28", 236, 120, "000", courier15, kYellow);
    Label23 = MakeLabel(panel, "Label23", 18, 496, "...", courier15, kYellow);
    Label23->setFixedWidth(247);
    Label23->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    resultext = MakeLabel(panel, "resultext", 18, 520, "", LayoutFont("Courier New", 11, true), QColor(128, 128, 128));
    resultext->setFixedWidth(183);
    resultext->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The laid-out place would leave the line below the panel's edge.
    resultext->setFixedHeight(QFontMetrics(resultext->font()).height());
    resultext->move(18, 525 - 1 - resultext->height());

    DiceTable = new TDrawSurface(panel);
    DiceTable->setObjectName("DiceTable");
    DiceTable->move(483, 72);

    Image1 = new QLabel(panel);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(":/images/image1.bmp"));
    Image1->move(738, 440);
    Image1->adjustSize();

    glassbtn1 = MakeGlassButton(panel, "glassbtn1", QRect(323, 430, 198, 38), "Nouvelle Partie");
    glassbtn2 = MakeGlassButton(panel, "glassbtn2", QRect(323, 472, 198, 38), "Quitter le jeu");
    glassbtn3 = MakeGlassButton(panel, "glassbtn3", QRect(527, 430, 198, 38), "Voir les scores");
    glassbtn4 = MakeGlassButton(panel, "glassbtn4", QRect(527, 472, 198, 38), "Aide");
    glassbtn5 = MakeGlassButton(panel, "glassbtn5", QRect(848, 438, 153, 65), "Lancer");
    glassbtn5->setEnabled(false);

    Grid = new ScoreGrid(game_->Grid, game_->S.joueur, this);
    Grid->setObjectName("Grid");
    Grid->move(1 + 83, 1 + 103);

    Timerordi = new QTimer(this);
    Timerordi->setObjectName("Timerordi");
    Timerordi->setInterval(500);
    FrameTimer = new TFrameTimer(this);
    FrameTimer->setObjectName("FrameTimer");

    connect(glassbtn1, &TGlassButton::OnClick, this, &TForm1::GradBtn1Click);
    connect(glassbtn2, &TGlassButton::OnClick, this, &TForm1::quit);
    connect(glassbtn3, &TGlassButton::OnClick, this, &TForm1::GradBtn5Click);
    connect(glassbtn4, &TGlassButton::OnClick, this, &TForm1::GradBtn3Click);
    connect(glassbtn5, &TGlassButton::OnClick, this, [this] { Run([this] { game_->Button1Click(); }); });
    connect(Timerordi, &QTimer::timeout, this, [this] { Run([this] { game_->TimerordiTimer(); }); });
    connect(FrameTimer, &TFrameTimer::OnTimer, this, [this](int) { Run([this] { game_->FrameTimerTimer(); }); });
    connect(DiceTable, &TDrawSurface::OnInitialize, this, [this] { Run([this] { game_->DiceTableInitialize(); }); });
    connect(DiceTable, &TDrawSurface::OnRestoreSurface, this,
            [this] { Run([this] { game_->DiceTableRestoreSurface(); }); });
    connect(DiceTable, &TDrawSurface::OnMouseDown, this,
            [this](int x, int y) { Run([&] { game_->DiceTableMouseDown(x, y); }); });
    connect(DiceTable, &TDrawSurface::OnMouseMove, this,
            [this](int x, int y) { Run([&] { game_->DiceTableMouseMove(x, y); }); });
    Grid->onSelectCell = [this](int c, int r) { Run([&] { game_->GridSelectCell(c, r); }); };
    Grid->onMouseMove = [this](int x, int y) { Run([&] { game_->GridMouseMove(x, y); }); };
    Grid->toolTipFor = [this](int c, int r) { return Q(ConseilLigne(*game_, c, r)); };
    DiceTable->installEventFilter(this);
}

void TForm1::BuildShortcuts() {
    // Window shortcuts: a modal dialog in front keeps them from firing.
    auto bind = [this](const QKeySequence& keys, auto handler) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::GradBtn1Click);
    bind(QKeySequence(Qt::Key_F1), &TForm1::GradBtn3Click);
    bind(QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::GradBtn5Click);
    bind(QKeySequence(Qt::CTRL | Qt::Key_H), &TForm1::ShowHistory);
    bind(QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::quit);
}

bool TForm1::GameKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    // The command keys reach here only when the window's shortcuts did not
    // fire, as when no window manager gave the window back its activation
    // after a dialog.
    if (!e->isAutoRepeat() && (mods == Qt::ControlModifier || (mods == Qt::NoModifier && key == Qt::Key_F1))) {
        switch (key) {
            case Qt::Key_N: GradBtn1Click(); return true;
            case Qt::Key_S: GradBtn5Click(); return true;
            case Qt::Key_H: ShowHistory(); return true;
            case Qt::Key_Q: quit(); return true;
            case Qt::Key_F1: GradBtn3Click(); return true;
            default: break;
        }
    }
    if (mods != Qt::NoModifier) return false;
    // A key held down repeats only the moves: repeated throws and picks
    // would be accidents.
    const bool move = key == Qt::Key_Up || key == Qt::Key_Down;
    if (e->isAutoRepeat() && !move) return key >= Qt::Key_1 && key <= Qt::Key_5;
    switch (key) {
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
        case Qt::Key_4:
        case Qt::Key_5: Run([&] { game_->KeyDie(key - Qt::Key_0); }); return true;
        case Qt::Key_Space: Run([&] { game_->KeyThrow(); }); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const int row = game_->SheetCursorRow();
            const int column = game_->S.joueur;
            if (row >= 0) Grid->SetSelection(column, row);
            Run([&] { game_->KeyEnter(); });
            return true;
        }
        case Qt::Key_Up: Run([&] { game_->KeyCursor(-1); }); return true;
        case Qt::Key_Down: Run([&] { game_->KeyCursor(+1); }); return true;
        case Qt::Key_Escape: Run([&] { game_->KeyEscape(); }); return true;
        default: return false;
    }
}

// The substitute of the headings' font runs wider than the original: a
// heading that would reach under the sheet is moved left to end beside it.
void TForm1::KeepHeadingsClearOfTheSheet() {
    constexpr int kSheetLeft = 83;
    for (const Heading& h : kHeadings) {
        auto* label = TexturePanel1->findChild<QLabel*>(h.name);
        if (!label) continue;
        label->adjustSize();
        label->move(std::min(h.x, std::max(0, kSheetLeft - 1 - label->width())), h.y);
    }
}

void TForm1::LoadSounds() {
    DS = new TWaveList(this);
    DS->setObjectName("DS");
    // Both sounds are built into the program; a damaged one only means silence.
    DS->AddFromFile(":/sounds/pop.wav");
    DS->AddFromFile(":/sounds/tally.wav");
}

bool TForm1::chargetextes() {
    const std::string path = QDir::toNativeSeparators(files_.languageFile).toStdString();
    Result<std::vector<std::string>> load = LoadLanguageFile(path);
    if (!load.Ok()) {
        ShowMessage(Q(load.Error()));
        return false;
    }
    game_->T = std::move(load.Value());
    auto windowOf = [this](Window w) -> QWidget* {
        switch (w) {
            case Window::Main: return this;
            case Window::Setup: return static_cast<QWidget*>(Form2);
            case Window::Help: return static_cast<QWidget*>(Form4);
            case Window::BestScores: return static_cast<QWidget*>(Form5);
        }
        return nullptr;
    };
    std::vector<CaptionTarget> captions = CaptionLoadOrder();
    const std::vector<CaptionTarget>& added = AddedCaptions();
    captions.insert(captions.end(), added.begin(), added.end());
    for (const CaptionTarget& target : captions) {
        QWidget* window = windowOf(target.window);
        if (!window) continue;
        const QString text = Q(game_->Line(target.line));
        if (QString(target.control) == "caption") {
            window->setWindowTitle(text);
            continue;
        }
        QWidget* control = window->findChild<QWidget*>(target.control);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(text);
            if (label->minimumWidth() == 0) label->adjustSize();
        } else if (auto* button = qobject_cast<TGlassButton*>(control)) {
            button->SetCaption(text);
        } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
            box->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->setTitle(text);
        }
    }
    for (const SpokenTarget& target : SpokenTexts()) {
        QWidget* window = windowOf(target.window);
        QWidget* control = window ? window->findChild<QWidget*>(target.control) : nullptr;
        if (!control) continue;
        if (target.what == Spoken::Name)
            control->setAccessibleName(Q(game_->Line(target.line)));
        else
            control->setAccessibleDescription(Q(game_->Line(target.line)));
    }
    KeepHeadingsClearOfTheSheet();
    if (Form4) {
        QStringList guide, keys;
        for (int i = 0; i < kMoreHelpLines; ++i) guide << Q(game_->Line(kFirstMoreHelpLine + i));
        for (int i = 0; i < kKeyHelpLines; ++i) keys << Q(game_->Line(kFirstKeyHelpLine + i));
        Form4->SetKeyHelp(keys, guide);
    }
    return ActivateGraph();
}

bool TForm1::ActivateGraph() {
    const QString folder = QDir::toNativeSeparators(files_.dataDir);
    for (std::size_t order = 0; order < kPictureFiles.size(); ++order) {
        const PictureFile& file = kPictureFiles[order];
        const QString relative = QString(kBitmapsFolder) + QDir::separator() + file.name;
        const QString path = files_.dataDir + kBitmapsFolder + "/" + file.name;
        // Textures and table pictures go through the same checks.
        QImage image;
        QString why;
        if (!QFileInfo(path).isFile()) {
            ShowMessage(Q(MissingPictureMessage(order, folder.toStdString(), relative.toStdString())));
            closeRequested_ = true;
        } else if (!ReadPictureFile(path, image, &why)) {
            ShowMessage(
                Q(DamagedPictureMessage(order, folder.toStdString(), relative.toStdString(), why.toStdString())));
            closeRequested_ = true;
        } else if (file.target == PictureTarget::TablePicture) {
            Source.SetPicture(file.picture, image);
        } else {
            image = image.convertToFormat(QImage::Format_RGB888);
            if (file.target == PictureTarget::MainTexture)
                TexturePanel1->SetTexture(image);
            else if (Form2)
                Form2->TexturePanel1->SetTexture(image);
        }
    }
    for (int i = 0; i < Source.Count(); ++i) Source.SetTransparentColor(i, qRgb(0, 0, 255));
    if (closeRequested_) return false;

    const QString scores = files_.scoresStart;
    if (QFileInfo::exists(scores) && game_->ListBoxScore.Empty()) {
        const Status loaded = LoadBestScores(game_->ListBoxScore, QDir::toNativeSeparators(scores).toStdString());
        if (!loaded.Ok()) {
            ShowMessage(Q(loaded.Error()));
            closeRequested_ = true;
            return false;
        }
    }
    return true;
}

void TForm1::Sync() {
    const MainControls& c = game_->controls;
    glassbtn5->setEnabled(c.glassbtn5Enabled);
    if (c.TimerordiEnabled != Timerordi->isActive()) {
        if (c.TimerordiEnabled)
            Timerordi->start();
        else
            Timerordi->stop();
    }
    if (c.FrameTimerEnabled != FrameTimer->Enabled()) FrameTimer->SetEnabled(c.FrameTimerEnabled);
    Label23->setText(Q(c.Label23));
    resultext->setText(Q(c.resultext));
    // A line longer than its laid-out width (an advice) runs on to the right,
    // under the buttons, rather than being cut.
    const int needed = QFontMetrics(resultext->font()).horizontalAdvance(resultext->text());
    resultext->setFixedWidth(std::clamp(needed, kResultWidth, TexturePanel1->width() - resultext->x() - 4));
    resultext->setVisible(c.resultextVisible);
    if (Label28->text() != Q(c.Label28)) {
        Label28->setText(Q(c.Label28));
        Label28->adjustSize();
    }
    DropAdviceIfStale();
    Grid->setCursor(c.GridCursor == Cursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    DiceTable->setCursor(c.DiceTableCursor == Cursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // A game can end behind the open best-scores dialog (computer turns run
    // on); its entry shows at once.
    if (Form5) Form5->Refresh();
    Grid->SetKeyCursor(game_->S.joueur, game_->SheetCursorRow());
    Announce();
}

void TForm1::Announce() { news_.Tell(*this); }

// The dialogs open without a nested event loop, so that a screen reader's
// press on the button that opens one returns at once.
void TForm1::GradBtn1Click() {
    if (Form2) Form2->open();
    Sync();
}

void TForm1::GradBtn5Click() {
    if (Form5) Form5->open();
}

void TForm1::GradBtn3Click() {
    if (Form4) Form4->open();
}

void TForm1::ShowHistory() {
    if (!history_)
        history_ = new HistoryWindow(
            this, &Image2, [this](int n) { return Q(game_->Line(n)); }, store::DefaultDatabasePath());
    history_->open();
}

void TForm1::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // On a denser screen the die picture is scaled smoothly once rather than
    // blown up pixel by pixel at every paint.
    const qreal ratio = devicePixelRatioF();
    if (ratio != Image1->pixmap().devicePixelRatio()) {
        const QPixmap picture(":/images/image1.bmp");
        QPixmap scaled =
            picture.scaled((QSizeF(picture.size()) * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        Image1->setPixmap(scaled);
    }
    if (shownOnce_) return;
    shownOnce_ = true;
    CentreOnScreen(this);
    QtSettingsStore store;
    game_->FormShow(store);
    if (Form2) Form2->Mirror();
    Sync();
    // The sheet holds the keyboard so the window's keys reach the game.
    Grid->setFocus(Qt::OtherFocusReason);
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (game_->Shown()) {
        QtSettingsStore store;
        game_->FormClose(store);
        if (!store.Release()) ShowMessage(Q(game_->Line(kLineSettingsNotSaved)));
        // The per-user folder is made on the first save only.
        QDir().mkpath(QFileInfo(files_.scoresFile).absolutePath());
        const QString scores = QDir::toNativeSeparators(files_.scoresFile);
        const Status saved = SaveBestScores(game_->ListBoxScore, scores.toStdString());
        if (!saved.Ok()) ShowMessage(Q(saved.Error()));
    }
    Timerordi->stop();
    FrameTimer->SetEnabled(false);
    e->accept();
}

TForm1::Position TForm1::CurrentPosition() const {
    const GameState& s = game_->S;
    return Position{s.tour, s.joueur, s.nblancers, s.typejeu, s.valeurde};
}

void TForm1::Conseil() {
    const Advice advice = DemandeConseil(*game_);
    adviceWaiting_ = advice.status == Advice::NotReady;
    advisedAt_ = CurrentPosition();
    if (advice.status == Advice::Given) {
        advisedDice_ = {};
        advisedRow_ = 0;
        const Choice& best = advice.Best();
        if (best.kind == Choice::Keep) {
            for (int i = 1; i <= kDice; ++i) advisedDice_[i] = best.keep[i] != 0;
        } else {
            advisedRow_ = best.row;
        }
        adviceShown_ = true;
        OutlineAdvice();
    }
    Sync();
}

void TForm1::StrategyReady(int typejeu) {
    // A request made while the table was being prepared is answered now, if
    // the position is still the one it was asked for.
    if (adviceWaiting_ && typejeu == game_->S.typejeu && advisedAt_ == CurrentPosition()) Conseil();
}

void TForm1::DropAdviceIfStale() {
    if (adviceWaiting_ && advisedAt_ != CurrentPosition()) adviceWaiting_ = false;
    if (!adviceShown_ || advisedAt_ == CurrentPosition()) return;
    adviceShown_ = false;
    advisedDice_ = {};
    advisedRow_ = 0;
    OutlineAdvice();
}

// Redraws the still table (its frames come with Present) and the sheet. While
// dice roll, the next frame redraws the table anyway.
void TForm1::OutlineAdvice() {
    Grid->SetAdvisedCell(advisedRow_ ? game_->S.joueur : -1, advisedRow_);
    if (!game_->controls.FrameTimerEnabled) game_->DrawStillTable();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_H || e->key() == Qt::Key_Question || e->text() == "?") {
        Conseil();
        e->accept();
        return;
    }
    if (!GameKey(e)) QWidget::keyPressEvent(e);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // A right click on the table asks for advice and picks no die.
    if (watched == DiceTable &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (event->type() == QEvent::MouseButtonPress) Conseil();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SetSoundFrequency(int sound, int hertz) { DS->SetFrequency(sound, hertz); }
void TForm1::PlaySound(int sound) { DS->Play(sound); }
void TForm1::DrawPicture(int picture, int x, int y) { Source.Draw(DiceTable->Surface(), picture, x, y); }
void TForm1::Present() {
    if (adviceShown_ && advisedAt_ == CurrentPosition()) {
        QPainter p(&DiceTable->Surface());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kAdviceFrame, 3));
        p.setBrush(Qt::NoBrush);
        const GameState& s = game_->S;
        // Around the die's face, which fills its 70 x 60 picture but for a
        // few pixels of board colour.
        for (int i = 1; i <= kDice; ++i)
            if (advisedDice_[i]) p.drawRoundedRect(QRectF(s.posx[i] + 1.5, s.posy[i] + 2.5, 62, 59), 6, 6);
    }
    DiceTable->Flip();
}
void TForm1::RepaintGrid() { Grid->update(); }
void TForm1::RepaintMain() { update(); }

}  // namespace quimba::ui
