#include "tests/frontend_dialogs/dialog_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QPushButton>

#include "mirelda/protocol/console_run.h"
#include "tests/support/test_paths.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda::testing {
namespace {

// One QApplication for the whole test program, on the offscreen platform and in a decimal-comma locale
// (as a German or French user runs the front-end).
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    static int argc = 1;
    static char name[] = "frontend_dialogs_tests";
    static char* argv[] = {name, nullptr};
    application_ = new QApplication(argc, argv);
  }
  void TearDown() override { delete application_; }

 private:
  QApplication* application_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

ConsoleRunResult FakePlatform::RunConsoleProgram(const ConsoleProgram& program, bool hideMainWindow) {
  runs.emplace_back(program.program);
  mainWindowHidden.push_back(hideMainWindow);
  if (standIn) return standIn(program);
  return ::mirelda::protocol::RunConsoleProgram(session_.appFolder, program);
}

CapturedPrompts::CapturedPrompts() {
  DialogPrompts prompts;
  prompts.warn = [this](QWidget*, const std::string& text) { warnings.push_back(text); };
  prompts.ask = [this](QWidget*, const std::string& text) {
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  };
  prompts.chooseColour = [this](QWidget*, std::optional<GridColour>) -> std::optional<GridColour> {
    if (colours.empty()) return std::nullopt;
    const GridColour colour = colours.front();
    colours.pop_front();
    return colour;
  };
  previous_ = SetDialogPrompts(std::move(prompts));
}

CapturedPrompts::~CapturedPrompts() { SetDialogPrompts(previous_); }

ScratchApp::ScratchApp() {
  for (const char* name : {"orvane", "brindel", "relaxation", "spherepack_1.txt"}) {
    const std::filesystem::path source = AppDir() / name;
    if (std::filesystem::exists(source)) std::filesystem::copy_file(source, folder_ / name);
  }
}

QColor BaseColour(const QWidget* widget) { return widget->palette().color(QPalette::Base); }
QColor TextColour(const QWidget* widget) { return widget->palette().color(QPalette::Text); }

void Click(QWidget* dialog, const char* buttonName) {
  auto* button = dialog->findChild<QPushButton*>(buttonName);
  ASSERT_NE(button, nullptr) << buttonName;
  button->click();
}

}  // namespace mirelda::testing
