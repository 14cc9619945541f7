// The main window: the sheet, the dice table, the status lines and the five commands; it lays them out and wires them
// to the game.
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
#include <QtConcurrent/QtConcurrentRun>
#include <optional>

#include "Advice.h"
#include "BackgroundStrategies.h"
#include "BestScoresFile.h"
#include "CentreOnScreen.h"
#include "ChancesPanel.h"
#include "Fonts.h"
#include "GameAccessible.h"
#include "GameRecording.h"
#include "GlassLook.h"
#include "HistoryWindow.h"
#include "Language.h"
#include "PartyStore.h"
#include "PictureFiles.h"
#include "QtSettingsStore.h"
#include "ReviewWindow.h"
#include "ScoreFiles.h"
#include "TForm2.h"
#include "TForm4.h"
#include "TForm5.h"
#include "UiWidgets.h"
#include "WindowPictures.h"
#include "WindowTexts.h"

// Resources of a static library must be registered by hand.
static void InitUiResources() { Q_INIT_RESOURCE(resources); }

namespace quimba::ui {

namespace {

const QColor kYellow(255, 255, 0);
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
    pictures_ = QtConcurrent::run([files = files_] { return DecodeWindowPictures(files); });
    InitUiResources();
    InstallGameAccessibility();
    game_ = std::make_unique<Game>(*random_, clock_, *this);
    strategies_ = std::make_unique<BackgroundStrategies>();
    game_->strategies = strategies_.get();
    connect(strategies_.get(), &BackgroundStrategies::Ready, this,
            [this](int typejeu) { Run([&] { Commands().StrategyReady(typejeu); }); });
    TellReaders = [](QAccessibleEvent* event) { QAccessible::updateAccessibility(event); };
    ShowMessage = [](const QString& text) { QMessageBox::critical(nullptr, "3DQUIMBA", text); };
    BuildLayout();
    review_ = std::make_unique<ReviewCollector>();
    review_->onEnd = [this] { ShowStandings(); };
    game_->Subscribe(*review_);
    standings_ = new StandingsOverlay(DiceTable);
    // Beside the sheet, under the best score: room the layout leaves free.
    chances_ = new ChancesPanel(Label28->parentWidget(), *game_, *strategies_, Label28->font());
    chances_->setGeometry(236, 170, 236, 130);
    standings_->onReview = [this] { OpenCurrentReview(); };
    advice_ = std::make_unique<AdvicePresenter>(*game_, Grid);
    game_->Subscribe(*advice_);
    game_->Subscribe(*this);
    keys_ = std::make_unique<KeyMap>(this, [this](const KeyBinding& binding) { PerformKey(binding); });
    LoadSounds();
}

TForm1::~TForm1() {
    if (pictures_.isValid()) pictures_.waitForFinished();
    recording_.reset();
    // The panel listens to the game, which goes before the window's children.
    delete chances_;
    game_->Unsubscribe(*this);
    game_->Unsubscribe(*advice_);
    game_->Unsubscribe(*review_);
}

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
    // Tab walks the five commands, each showing its focus.
    for (TGlassButton* button : {glassbtn1, glassbtn2, glassbtn3, glassbtn4, glassbtn5}) button->SetTabStop(true);

    Grid = new ScoreGrid(game().Sheet(), game().State().joueur, this);
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
    connect(glassbtn5, &TGlassButton::OnClick, this, [this] { Run([this] { Commands().Throw(); }); });
    connect(Timerordi, &QTimer::timeout, this, [this] { Run([this] { Commands().TimerordiTimer(); }); });
    connect(FrameTimer, &TFrameTimer::OnTimer, this, [this](int) { Run([this] { Commands().FrameTimerTimer(); }); });
    connect(DiceTable, &TDrawSurface::OnInitialize, this,
            [this] { Run([this] { Commands().DiceTableInitialize(); }); });
    connect(DiceTable, &TDrawSurface::OnRestoreSurface, this,
            [this] { Run([this] { Commands().DiceTableRestoreSurface(); }); });
    connect(DiceTable, &TDrawSurface::OnMouseDown, this,
            [this](int x, int y) { Run([&] { Commands().DiceTableMouseDown(x, y); }); });
    connect(DiceTable, &TDrawSurface::OnMouseMove, this,
            [this](int x, int y) { Run([&] { Commands().DiceTableMouseMove(x, y); }); });
    Grid->onSelectCell = [this](int c, int r) { Run([&] { Commands().WriteRow(c, r); }); };
    Grid->onMouseMove = [this](int x, int y) { Run([&] { Commands().GridMouseMove(x, y); }); };
    Grid->toolTipFor = [this](int c, int r) { return Q(ConseilLigne(*game_, c, r)); };
    DiceTable->installEventFilter(this);
    Grid->installEventFilter(this);
}

bool TForm1::GameKey(QKeyEvent* e) { return keys_->Handle(*e); }

void TForm1::PerformKey(const KeyBinding& binding) {
    switch (binding.command) {
        case KeyCommand::NewGame: GradBtn1Click(); return;
        case KeyCommand::Help: GradBtn3Click(); return;
        case KeyCommand::Scores: GradBtn5Click(); return;
        case KeyCommand::History: ShowHistory(); return;
        case KeyCommand::Undo: Undo(); return;
        case KeyCommand::Review: OpenCurrentReview(); return;
        case KeyCommand::Chances: chances_->SetOn(!chances_->On()); return;
        case KeyCommand::Quit: quit(); return;
        case KeyCommand::Advice: Conseil(); return;
        case KeyCommand::Die: Run([&] { Commands().KeyDie(binding.die); }); return;
        case KeyCommand::Throw: Run([&] { Commands().KeyThrow(); }); return;
        case KeyCommand::Enter: {
            const int row = game().SheetCursorRow();
            if (row >= 0) Grid->SetSelection(game().State().joueur, row);
            Run([&] { Commands().KeyEnter(); });
            return;
        }
        case KeyCommand::CursorUp: Run([&] { Commands().KeyCursor(-1); }); return;
        case KeyCommand::CursorDown: Run([&] { Commands().KeyCursor(+1); }); return;
        case KeyCommand::Escape: Run([&] { Commands().KeyEscape(); }); return;
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
    DS = new TWaveList(this, [folders = SoundPluginFolders(files_)] { return LoadSoundOutput(folders); });
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
    Commands().SetLines(std::move(load.Value()));
    auto windowOf = [this](Window w) -> QWidget* {
        switch (w) {
            case Window::Main: return this;
            case Window::Setup: return static_cast<QWidget*>(Form2);
            case Window::Help: return static_cast<QWidget*>(Form4);
            case Window::BestScores: return static_cast<QWidget*>(Form5);
        }
        return nullptr;
    };
    ApplyWindowTexts(windowOf, Lines());
    KeepHeadingsClearOfTheSheet();
    standings_->SetNames(Lines());
    chances_->SetTitle(Text(kFirstReviewLine + kRevChancesPanel));
    if (Form4) {
        QStringList guide, keys;
        for (int i = 0; i < kMoreHelpLines; ++i) guide << Text(kFirstMoreHelpLine + i);
        for (int i = 0; i < kKeyHelpLines; ++i) keys << Text(kFirstKeyHelpLine + i);
        keys << Text(kFirstReviewLine + kRevKeyHelp) << Text(kFirstReviewLine + kRevChancesKeyHelp);
        Form4->SetKeyHelp(keys, guide);
    }
    return ActivateGraph();
}

bool TForm1::ActivateGraph() {
    const DecodedPictures pictures = pictures_.isValid() ? pictures_.takeResult() : DecodeWindowPictures(files_);
    const QStringList missing =
        ApplyWindowPictures(pictures, Source, *TexturePanel1, Form2 ? Form2->TexturePanel1 : nullptr);
    for (const QString& message : missing) ShowMessage(message);
    if (!missing.isEmpty()) {
        closeRequested_ = true;
        return false;
    }

    BestScores list;
    const ScoresLoad scores = LoadScoreLists(list, files_);
    if (!scores.message.isEmpty()) ShowMessage(scores.message);
    if (!scores.ok) closeRequested_ = true;
    if (scores.ok) Commands().SetBestScoreList(std::move(list));
    return scores.ok;
}

void TForm1::Sync() {
    const MainControls& c = game().Controls();
    // The standings stay until a new game clears the sheet.
    if (standings_->isVisible()) {
        bool empty = true;
        for (int col = 0; col < kColumns; ++col) empty = empty && ColumnStateOf(game().Sheet(), col).filled == 0;
        if (empty) standings_->hide();
    }
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
    advice_->Refresh();
    Grid->setCursor(c.GridCursor == Cursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    DiceTable->setCursor(c.DiceTableCursor == Cursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // A game can end behind the open best-scores dialog (computer turns run
    // on); its entry shows at once.
    if (Form5) Form5->Refresh();
    Grid->SetKeyCursor(game().State().joueur, game().SheetCursorRow());
    Announce();
}

void TForm1::Announce() {
    news_.Tell(*this, turnToAnnounce_);
    turnToAnnounce_ = false;
}

void TForm1::OnEvent(const Game&, const GameEvent& event) {
    // A new game leaves the status line as it was laid out until the first
    // throw, so its first turn has nothing to be told.
    if (event.kind == GameEvent::Kind::NewGame) newGameTurn_ = true;
    if (event.kind == GameEvent::Kind::TurnStarted) {
        turnToAnnounce_ = !newGameTurn_;
        newGameTurn_ = false;
    }
}

// The dialogs open without a nested event loop, so that a screen reader's
// press on the button that opens one returns at once.
void TForm1::GradBtn1Click() {
    if (Form2) Form2->open();
    Sync();
}

void TForm1::GradBtn5Click() {
    if (Form5) Form5->open();
}

QString TForm1::Text(int line) const { return Q(game().Line(line)); }

void TForm1::OpenCurrentReview() { OpenReview(this, review_->Recorded(), SeatNames(game()), *strategies_, Lines()); }

void TForm1::ShowStandings() {
    std::vector<int> scores;
    for (int c = 0; c < game().State().nbjoueurs && c < kColumns; ++c)
        scores.push_back(game().Sheet().Value(c, lignetotal));
    // Luck and cost need the table; without it the standings still show.
    std::optional<GameReview> review;
    if (const StrategyTable* table = strategies_->Table(game().State().typejeu)) {
        Result<GameReview> r = ReviewOf(*table, review_->Recorded(), nullptr);
        if (r.Ok()) review = r.Value();
    }
    standings_->Show(StandingsOf(SeatNames(game()), scores, review ? &*review : nullptr), Lines());
}

void TForm1::GradBtn3Click() {
    if (Form4) Form4->open();
}

void TForm1::ShowHistory() {
    if (!history_) {
        history_ = new HistoryWindow(this, &Image2, Lines(), store::DefaultDatabasePath());
        connect(history_, &HistoryWindow::ResumeRequested, this, [this](qint64 id) {
            if (!recording_) return;
            recording_->Drain();  // the game in progress is in the file before another is read
            if (recording_->ResumeGame(id)) history_->close();
        });
        connect(history_, &HistoryWindow::ReviewRequested, this, [this](qint64 id) {
            if (recording_) recording_->Drain();  // a game in progress is reviewed as far as it went
            const store::PartyStore games(store::DefaultDatabasePath(), store::PartyStore::Mode::Read);
            OpenRecordedReview(this, games, id, *strategies_, Lines());
        });
    }
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
    // Games are recorded from the first showing on, so a start that only
    // checks the files writes nothing; the recorder's thread opens the file.
    recording_ = std::make_unique<GameRecording>(
        *game_, store::DefaultDatabasePath(), [this](const QString& text) { ShowMessage(text); },
        [this] {
            if (game().State().nblancers > 0) game_->DrawStillTable();
            Sync();
        });
    QtSettingsStore store;
    Commands().FormShow(store);
    if (Form2) Form2->Mirror();
    Sync();
    recording_->ResumeLast();
    // The sheet holds the keyboard so the window's keys reach the game.
    Grid->setFocus(Qt::OtherFocusReason);
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (game_->Shown()) {
        for (const QString& message : SaveOnClose(*game_, files_)) ShowMessage(message);
    }
    Timerordi->stop();
    FrameTimer->SetEnabled(false);
    e->accept();
}

void TForm1::Undo() {
    if (recording_) recording_->Undo();
}

void TForm1::Conseil() {
    Run([this] { Commands().AskAdvice(); });
}

void TForm1::keyPressEvent(QKeyEvent* e) {
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
    // A right click on the sheet takes back the last row written.
    if (watched == Grid && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        Undo();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SetSoundFrequency(int sound, int hertz) { DS->SetFrequency(sound, hertz); }
void TForm1::PlaySound(int sound) { DS->Play(sound); }
void TForm1::DrawPicture(int picture, int x, int y) { Source.Draw(DiceTable->Surface(), picture, x, y); }
void TForm1::Present() {
    advice_->FrameDice(DiceTable->Surface());
    DiceTable->Flip();
}
void TForm1::RepaintGrid() { Grid->update(); }
void TForm1::RepaintMain() { update(); }

}  // namespace quimba::ui
