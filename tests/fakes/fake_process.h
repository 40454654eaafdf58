#pragma once
// Running processes in memory. An opened process stays bound to the process
// it was opened for, as a handle does: once that one has ended, ending it
// ends nothing, whoever has its id now.
#include <memory>
#include <string>
#include <vector>

#include "platform/process_table.h"

namespace vexa::fakes {

class FakeProcessTable : public ProcessTable {
 public:
  struct Process {
    std::wstring exeName;
    ProcessId id = 0;
    std::wstring imagePath;  // as the system reports it; empty when it cannot be read
    bool critical = false;
    bool refusesEnd = false;  // may be examined but not ended
    bool running = true;
  };

  std::vector<ProcessEntry> Snapshot() const override {
    ++snapshots;
    std::vector<ProcessEntry> out;
    for (const auto& p : processes)
      if (p->running) out.push_back({p->exeName, p->id});
    return out;
  }
  std::unique_ptr<OpenedProcess> Open(ProcessId id) override {
    for (const auto& p : processes)
      if (p->running && p->id == id) return std::make_unique<Opened>(p, ended);
    return nullptr;
  }
  ProcessId CurrentId() const override { return 7000; }
  std::wstring WindowsFolder() const override { return L"C:\\Windows"; }

  Process& Add(std::wstring exeName, ProcessId id, std::wstring imagePath) {
    return *processes.emplace_back(std::make_shared<Process>(Process{std::move(exeName), id, std::move(imagePath)}));
  }

  std::vector<std::shared_ptr<Process>> processes;
  std::vector<std::wstring> ended;  // names of the processes ended, in order
  mutable int snapshots = 0;

 private:
  struct Opened : OpenedProcess {
    Opened(std::shared_ptr<Process> p, std::vector<std::wstring>& ended) : p(std::move(p)), ended(ended) {}
    std::wstring ImagePath() const override { return p->imagePath; }
    bool IsCritical() const override { return p->critical; }
    bool Terminate() override {
      if (!p->running || p->refusesEnd) return false;
      p->running = false;
      ended.push_back(p->exeName);
      return true;
    }
    std::shared_ptr<Process> p;
    std::vector<std::wstring>& ended;
  };
};

}  // namespace vexa::fakes
