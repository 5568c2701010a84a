#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stakes/stake_rec.h"
#include "util/file_lock.h"

namespace zentrix {

inline constexpr const char* kStakeNotFound = "Запись со индексом %d в файле данных не найдена!";

// The path with its last extension removed: the stem the stakes file's companions share.
std::string StakesStem(const std::string& path);

// What opening found: a file of another version or size was copied aside and emptied.
struct TStakesOpenReport {
    bool damaged = false;
    std::string problem;  // what was wrong with it
    std::string backup;   // where the old content went
};

// The stakes file, kept on the descriptor of the folder hold (the session's exclusive lock on
// the same file), so it is never opened twice and the lock's inode is never replaced: every
// change is made in place.
//
// Appends reserve the space first and mark each new record as finished (its version byte) only
// after the whole batch is written, so a kill or crash at any moment leaves whole records, of
// which unfinished trailing ones are dropped at the next opening. Rewrites first store the new
// content complete as a journal beside the file ("<name>.~tmp"); an opening that finds it
// completes the rewrite.
class TStakesFile {
  public:
    // Raises EFileError when the file cannot be read or repaired; the hold stays as it was.
    TStakesOpenReport Open(TExclusiveFile& hold);
    void Close();
    bool IsOpen() const { return hold_ != nullptr && hold_->IsOpen(); }
    const std::string& Path() const;
    std::string JournalPath() const;

    int64_t Count() const;
    // Raises EFileError kStakeNotFound for an index outside the file.
    TStakeRec Read(int64_t index) const;
    std::optional<TStakeRec> Last() const;
    std::vector<TStakeRec> ReadAll() const;

    // The records after the last one, all or none.
    void Append(const std::vector<TStakeRec>& records);
    // Replaces record `index` (the result of a check).
    void Write(int64_t index, const TStakeRec& rec);
    // Replaces the whole content.
    void Rewrite(const std::vector<TStakeRec>& records);
    void Clear();
    // Makes the written records durable.
    void Flush();

  private:
    int Fd() const;
    void RequireOpen() const;
    void FinishJournal();
    void DropUnfinished();
    void Truncate(int64_t size);
    void WriteAt(const std::string& bytes, int64_t offset);

    TExclusiveFile* hold_ = nullptr;
    // The last record read, so the grid's cell requests for one row read it once.
    mutable std::optional<std::pair<int64_t, TStakeRec>> cache_;
};

}  // namespace zentrix
