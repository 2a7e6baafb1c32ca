#include "editor/Editor.h"

// Placeholder bodies, replaced by the editor's implementation.
namespace editor {

Editor::Editor(EditorServices services, EditorHooks hooks, QString apath)
    : services_(services), hooks_(std::move(hooks)), renderer_(services.pictures, apath) {
    state_.apath = std::move(apath);
}
Editor::~Editor() = default;

void Editor::initialise() { }
void Editor::printWelcome() { }
void Editor::openAtStartup(const QString&) { }
void Editor::refreshTextures() { }
void Editor::mnunew_Click() { }
void Editor::mnuload_Click() { }
bool Editor::mnusave_Click() { return false; }
void Editor::mnusaveim_Click() { }
void Editor::mnuprint_Click(platform::Printer&) { }
bool Editor::confirmQuit() { return false; }
bool Editor::openLayoutFile(const QString&) { return false; }
void Editor::ActiverEdition() { }
void Editor::redraw() { }
void Editor::Affiche() { }
void Editor::canvasResized(int, int) { }
void Editor::Text2_Change(const QString&) { }
void Editor::Command3_Click(int) { }
void Editor::HScroll1_Change(int) { }
void Editor::VScroll1_Change(int) { }
void Editor::Command1_Click(int) { }
void Editor::Picture1_MouseDown(int, int, float, float) { }
void Editor::Picture1_Click() { }
void Editor::Picture1_MouseMove() { }
void Editor::Picture1_KeyDown(int, int) { }
void Editor::Picture1_KeyPress(int) { }
void Editor::Picture2_MouseDown(int, int, float, float) { }
void Editor::Picture2_MouseMove(int, int, float, float) { }
void Editor::Picture2_MouseUp(int, int, float, float) { }
void Editor::Picture2_KeyDown(int, int) { }
void Editor::Picture2_KeyPress(int) { }
void Editor::picCoin_MouseDown(int, int, int, float, float) { }
void Editor::picCoin_MouseMove(int, int, int, float, float) { }
void Editor::picCoin_MouseUp(int, int, int, float, float) { }
void Editor::Text1_Change(int, const QString&) { }
void Editor::Text1_KeyDown(int, int) { }
void Editor::Check1_Click(bool) { }
void Editor::Choix_couleur_Click(int) { }
void Editor::Combo1_Click(int) { }
void Editor::Couleur_Click() { }
void Editor::Command4_Click(int) { }
void Editor::Command5_Click(int) { }
void Editor::mnusuppr_Click() { }
void Editor::mnusurf_Click() { }
void Editor::applyModsurf(const std::optional<QString>&) { }
void Editor::Command6_Click(int) { }
void Editor::List2_Click(const QList<bool>&) { }

} // namespace editor
