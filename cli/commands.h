// The commands of the quasigrid tool. Each Define function adds its command to the application
// with its options, help text and the action run after a successful parse; an action reports
// failure by raising UsageError (status 2) or CommandError (status 1).
#pragma once

namespace CLI {
class App;
}

void DefineNewCommand(CLI::App& app);
void DefineDemoCommand(CLI::App& app);
void DefineInfoCommand(CLI::App& app);
void DefineCheckCommand(CLI::App& app);
void DefineCopyCommand(CLI::App& app);
void DefinePictureCommand(CLI::App& app);
void DefineImportVftCommand(CLI::App& app);
void DefineImportVelcolCommand(CLI::App& app);
void DefineExportCommand(CLI::App& app);
void DefineImportSmeshCommand(CLI::App& app);
void DefineImportLayeredCommand(CLI::App& app);
void DefineEditCommand(CLI::App& app);
void DefineSampleCommand(CLI::App& app);
