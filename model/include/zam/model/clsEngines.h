#pragma once
// Which engine the simulator gives each chassis, read from and written into the pointer tables
// and the chassis key table of GPL.EXE. Creating the object reads the tables; destroying it writes
// the chassis whose chosen engine differs from the one found, unless it was told to unload without
// saving. Before anything is written the object checks that the executable can be written and
// still holds exactly what was read; otherwise it writes nothing and tells the user why.
#include <array>
#include <cstdint>
#include <string>

#include "zam/model/EngineTable.h"
#include "zam/store/UserInterface.h"

namespace zam {

inline constexpr const char* kExeErrorTitle = "Error in GPL.EXE";

class clsEngines {
public:
    // Reads the tables of `exePath` (the installation's EXEPath). An inconsistency is reported in
    // a message box and leaves Status() true.
    clsEngines(UserInterface& ui, std::string exePath);
    // Writes the changed chassis (see WriteExeEngines) unless told UnloadWithoutSaving.
    ~clsEngines();
    clsEngines(const clsEngines&) = delete;
    clsEngines& operator=(const clsEngines&) = delete;

    // True after an inconsistency was reported: the tables are unusable and nothing is written.
    bool Status() const { return status_; }
    void SetStatus(bool status) { status_ = status; }

    // Destruction then writes nothing, whatever was chosen.
    void UnloadWithoutSaving() { noSave_ = true; }
    // Every chassis 0 to 9 gets its own engine.
    void SetDefaults();
    // Every chassis 0 to 9 gets `engine`.
    void SetAllEngines(std::int32_t engine);
    // Chosen engine of a chassis. Chassis and engine numbers outside 0 to 9 throw
    // std::out_of_range (a programming error of the caller).
    std::int32_t CarEngine(std::int32_t chassis) const;
    void SetCarEngine(std::int32_t chassis, std::int32_t engine);
    // Name of an engine ("Repco V8").
    std::string Name(std::int32_t engine) const;
    // Name of the engine found in the executable for a chassis.
    std::string ExeEngine(std::int32_t chassis) const;
    // Number of the engine found in the executable for a chassis.
    std::int32_t FoundEngine(std::int32_t chassis) const;

    const std::string& ExeVersion() const { return exeVersion_; }
    bool KeyTableValid() const { return keyTableValid_; }
    const std::string& ExePath() const { return exePath_; }

    // Writes the pointers (and, while the key table is valid, the keys) of every chassis except 7
    // whose chosen engine differs from the one found. Nothing at all is written when the object is
    // told not to save, is inconsistent, when the executable cannot be opened for writing, or when
    // a slot no longer holds what was read at creation; the user is told why. The bytes are
    // written into a copy beside the executable that then replaces it, so a failed write leaves
    // the executable as it was. True when the executable now holds the chosen engines.
    bool WriteExeEngines();

private:
    struct Chassis {
        std::int32_t chosen = 0;
        std::int32_t found = 0;
        std::uint64_t firstSlot = 0;   // 0-based offsets into the executable
        std::uint64_t secondSlot = 0;
        std::string firstBytes;        // the slot contents read at creation
        std::string secondBytes;
        std::string keyBytes;          // empty for chassis without a key slot
    };
    struct Engine {
        std::string firstValue;   // eight hex digits for this executable's version
        std::string secondValue;
    };
    struct Patch;

    bool LocateKeyTable();
    bool LocateEngineTable();
    void BuildEngineTables();
    void ReadExeEngines();
    void TakeSnapshot();
    void ReportExeError(const std::string& detail);
    void ReportWriteFailure(const std::string& reason);

    UserInterface& ui_;
    std::string exePath_;
    bool status_ = false;
    bool noSave_ = false;
    bool keyTableValid_ = false;
    std::string exeVersion_;
    std::uint64_t firstTable_ = 0;  // 0-based offsets
    std::uint64_t keyTable_ = 0;
    std::array<Chassis, kChassisCount> chassis_{};
    std::array<Engine, kEngineCount> engines_{};
};

}  // namespace zam
