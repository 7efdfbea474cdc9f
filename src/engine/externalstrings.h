// The store's text as a string list (`Lines`): every edit through it brackets itself and clears
// the undo history.
#pragma once

#include "engine/strings.h"

namespace quorel {

class TCustomMemoSource;

class TExternalStrings : public TStrings {
 public:
  explicit TExternalStrings(TCustomMemoSource& store) : store_(store) {}

  int Count() const override;
  // The visual text of line i (tabs expanded).
  std::string Get(int i) const override;
  void Put(int i, const std::string& s) override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  void* GetObject(int i) const override;
  void PutObject(int i, void* object) override;
  void Exchange(int, int) override {}

  // The raw lines joined by CR LF, without a final line end.
  std::string Text() const override;
  void SetText(std::string_view text) override;
  void BeginUpdate() override;
  void EndUpdate() override;
  void Assign(const TStrings& source) override;
  void LoadFromStream(std::istream& in) override;
  void SaveToStream(std::ostream& out) const override;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

 private:
  std::string Input(const std::string& s) const;
  void Finish();
  TCustomMemoSource& store_;
};

}  // namespace quorel
