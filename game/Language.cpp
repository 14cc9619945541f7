// The language file read and checked, the built-in wording of the lines added since the first files, and which line
// names which control.
#include "Language.h"

#include <iterator>

#include "Cp1252.h"
#include "FileAccess.h"
#include "TextLines.h"

namespace quimba {

const std::vector<CaptionTarget>& CaptionLoadOrder() {
    static const std::vector<CaptionTarget> order = [] {
        std::vector<CaptionTarget> t;
        static const char* const helpLabels[16] = {"Label1",  "Label2",  "Label3",  "Label4",  "Label5",  "Label6",
                                                   "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12",
                                                   "Label13", "Label14", "Label15", "Label16"};
        for (int i = 0; i < 16; ++i) t.push_back({1 + i, Window::Help, helpLabels[i]});
        t.push_back({17, Window::Help, "glassbtn2"});
        t.push_back({18, Window::Help, "caption"});
        static const char* const sheetLabels[17] = {"Label25", "Label6",  "Label7",  "Label8",  "Label9",  "Label10",
                                                    "Label11", "Label13", "Label12", "Label14", "Label15", "Label20",
                                                    "Label18", "Label17", "Label19", "Label16", "Label21"};
        for (int i = 0; i < 17; ++i) t.push_back({19 + i, Window::Main, sheetLabels[i]});
        static const CaptionTarget dialogs[] = {
            {46, Window::Setup, "Label6"},         {47, Window::Setup, "Label1"},
            {48, Window::Setup, "Label2"},         {49, Window::Setup, "Label3"},
            {50, Window::Setup, "Label4"},         {51, Window::Setup, "Label8"},
            {52, Window::Setup, "CheckBox1"},      {52, Window::Setup, "CheckBox2"},
            {52, Window::Setup, "CheckBox3"},      {52, Window::Setup, "CheckBox4"},
            {52, Window::Setup, "CheckBox5"},      {53, Window::Setup, "GroupBox1"},
            {54, Window::Setup, "RadioButton1"},   {55, Window::Setup, "RadioButton2"},
            {56, Window::Setup, "RadioButton3"},   {58, Window::Setup, "caption"},
            {89, Window::BestScores, "caption"},   {90, Window::BestScores, "GlassButton1"},
            {75, Window::BestScores, "glassbtn2"}, {89, Window::Main, "Label22"},
        };
        t.insert(t.end(), std::begin(dialogs), std::end(dialogs));
        return t;
    }();
    return order;
}

const std::vector<CaptionTarget>& AddedCaptions() {
    static const std::vector<CaptionTarget> captions{
        {kLineNiveau, Window::Setup, "GroupBox2"},
        {kLineClassique, Window::Setup, "RadioButton4"},
        {kLineExpert, Window::Setup, "RadioButton5"},
        {kLineNewGame, Window::Main, "glassbtn1"},
        {kLineQuit, Window::Main, "glassbtn2"},
        {kLineShowScores, Window::Main, "glassbtn3"},
        {kLineHelp, Window::Main, "glassbtn4"},
        {kLineThrow, Window::Main, "glassbtn5"},
        {kLineStart, Window::Setup, "glassbtn1"},
        {kLineBack, Window::Setup, "glassbtn2"},
        {kFirstHistoryLine + 1, Window::BestScores, "HistoryButton"},
    };
    return captions;
}

const std::vector<SpokenTarget>& SpokenTexts() {
    static const std::vector<SpokenTarget> texts{
        {kLineSheetName, Window::Main, "Grid", Spoken::Name},
        {kLineDiceTableName, Window::Main, "DiceTable", Spoken::Name},
        {kLineStatusLineName, Window::Main, "Label23", Spoken::Description},
        {kLineResultName, Window::Main, "resultext", Spoken::Description},
        {kLineBestScoreName, Window::Main, "Label28", Spoken::Description},
        {kLineDiePictureName, Window::Main, "Image1", Spoken::Name},
        {kLineFewerPlayers, Window::Setup, "previous", Spoken::Name},
        {kLineMorePlayers, Window::Setup, "next", Spoken::Name},
        {46, Window::Setup, "Label7", Spoken::Name},
        {46, Window::Setup, "UpDown1", Spoken::Name},
        {89, Window::BestScores, "ListBoxScore", Spoken::Name},
    };
    return texts;
}

const std::string& BuiltInLine(int n) {
    static const std::string kEmpty;
    static const std::string kLines[] = {
        "Conseil :",
        "garder",
        "relancer",
        "tout relancer",
        "espérance",
        "écrire en",
        "ligne",
        "partie hors meilleurs scores",
        "Conseil : stratégie en préparation, réessayez dans un instant",
        "maintenant",
        "de moins que le meilleur choix",
        "meilleur choix",
        "Niveau de l'ordinateur",
        "Classique",
        "Expert",
        "Au clavier : 1 à 5 gardent ou relâchent les dés, Espace ou Entrée lance,",
        "les flèches haut et bas parcourent votre colonne, Entrée y inscrit la ligne",
        "choisie et Echap cache le curseur. Ctrl+N nouvelle partie, F1 aide,",
        "Ctrl+S meilleurs scores, Ctrl+H historique, Ctrl+Z ou clic droit sur la feuille reprend une ligne, Ctrl+Q "
        "quitter, Echap ferme une fenêtre.",
        "Nouvelle Partie",
        "Quitter le jeu",
        "Voir les scores",
        "Aide",
        "Lancer",
        "Commencer",
        "retour",
        "Feuille de score",
        "Table de dés",
        "Ligne d'état",
        "Résultat",
        "Meilleur score",
        "Dé",
        "Un joueur de moins",
        "Un joueur de plus",
        "Dé %1",
        "%1, gardé",
        "%1 : %2",
        ",",
        "Les réglages n'ont pas pu être enregistrés.",
        "Effacer toute la liste des meilleurs scores ?",
        "Oui",
        "Non",
        "Types de jeu : Normal, les lignes dans l'ordre de votre choix ; Ascendant, dans",
        "l'ordre du Quimba jusqu'à la ligne 1 ; Descendant, de la ligne 1 jusqu'au Quimba.",
        "Niveau de l'ordinateur (joueurs nommés CPU) : Classique joue selon les figures,",
        "Expert joue au mieux pour le plus haut score en moyenne.",
        "Conseil : H, ? ou un clic droit sur les dés montrent le meilleur jeu ; la partie",
        "sort alors des meilleurs scores, et une case libre survolée dit ce qu'elle coûte.",
        // The history window.
        "Historique et statistiques",
        "Historique",
        "Parties jouées",
        "Terminées",
        "Gagnées",
        "contre des personnes",
        "contre l'ordinateur classique",
        "contre l'expert",
        "Moyenne",
        "Meilleur",
        "Pire",
        "Écart type",
        "Série en cours",
        "Plus longue série",
        "Scores finaux",
        "Moyenne optimale",
        "Score par partie",
        "Date",
        "Type",
        "Joueurs",
        "Scores",
        "Conseillé",
        "État",
        "terminée",
        "interrompue",
        "abandonnée",
        "Reprendre",
        "Revoir",
        "Exporter",
        "oui",
        "Aucune partie enregistrée",
        "Export écrit :",
        "Export impossible :",
        "Lecture de l'historique...",
        "parties",
        "Partie",
        "Partie reprise",
        "Ligne reprise",
        "Impossible de reprendre la ligne : un joueur a lancé depuis",
        "Impossible de reprendre la ligne : la partie est finie",
        "Aucune ligne à reprendre",
        "Enregistrement des parties :",
        "Impossible de lire le fichier des parties :",
        "Les parties ne sont pas enregistrées : impossible d'ouvrir le fichier des parties",
        "Les parties ne sont pas enregistrées : le fichier des parties ne peut pas être écrit",
        "Les parties ne sont pas enregistrées : le fichier des parties vient d'une version plus récente du jeu",
        "Le fichier des parties était endommagé ; il a été mis de côté et un nouveau commencé :",
        "Le fichier des parties est endommagé et n'a pas pu être mis de côté ; les parties ne sont pas enregistrées",
        "Un coup n'a pas pu être enregistré pour l'instant ; il le sera avec le suivant",
        "ligne %1 (%2 pts)",
        "tout relancer",
        "garder %1",
        "exact",
        "imprécision",
        "erreur",
        "gaffe",
        "cadeau (hors jeu)",
        "Classement final",
        "Revue (F4)",
        "Place",
        "Joueur (colonne)",
        "Score",
        "Chance",
        "Coût des décisions",
        "Revue de la partie",
        "Score final attendu à chaque début de tour",
        "Chance de gagner (%)",
        "Décisions",
        "Résumé par joueur",
        "Feuille à ce moment",
        "Dés à ce moment",
        "%1, tour %2, lancer %3 : %4",
        "Revue",
        "F4 ouvre la revue de la partie : le coût de chaque décision, la chance aux dés et les chances de gagner.",
        "La table du meilleur jeu est encore en construction ; réessayez dans un instant.",
        "Tour",
        "Joueur",
        "Lancer",
        "Dés",
        "Choix",
        "Meilleur",
        "Coût",
        "Verdict",
        "Joueur",
        "Final",
        "Attendu au départ",
        "Chance",
        "Coût",
        "Exacts",
        "Imprécisions",
        "Erreurs",
        "Gaffes",
        "Cadeaux",
        "Chances de gagner",
        "F6 montre ou cache, à côté de la feuille, la chance de gagner de chaque joueur (réglage gardé).",
    };
    static_assert(std::size(kLines) == kLastAddedLine - kFirstAddedLine + 1);
    if (n < kFirstAddedLine || n > kLastAddedLine) return kEmpty;
    return kLines[n - kFirstAddedLine];
}

const std::string& LanguageLine(const std::vector<std::string>& lines, int n) {
    static const std::string none;
    if (n >= 0 && n < static_cast<int>(lines.size())) return lines[n];
    // Files written before the advice and the computer's level still play.
    if (n >= kFirstAddedLine) return BuiltInLine(n);
    return none;
}

Result<std::vector<std::string>> ParseLanguage(const std::string& bytes) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(bytes)) lines.push_back(Cp1252ToUtf8(line));
    const int count = static_cast<int>(lines.size());
    for (const CaptionTarget& target : CaptionLoadOrder()) {
        if (target.line >= count)
            return Result<std::vector<std::string>>::Failure("List index out of bounds (" +
                                                             std::to_string(target.line) + ")");
    }
    return lines;
}

Result<std::vector<std::string>> LoadLanguageFile(const std::string& path) {
    // Only a regular file within the cap is read: a FIFO or a device would
    // wait for ever, and a larger file is no language file the game shipped.
    const FileBytes file = ReadRegularFile(path, kLanguageMaxBytes);
    if (file.outcome != FileBytes::Read)
        return Result<std::vector<std::string>>::Failure("Cannot open file \"" + path + "\". " + file.reason);
    return ParseLanguage(file.bytes);
}

}  // namespace quimba
