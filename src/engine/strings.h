// A list of text lines with an object slot per line, and a plain implementation of it.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// Splits text at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

class TStrings {
 public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int i) const = 0;
  virtual void Put(int i, const std::string& s) = 0;
  virtual void Insert(int i, const std::string& s) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;
  virtual void* GetObject(int) const { return nullptr; }
  virtual void PutObject(int, void*) {}
  virtual void Exchange(int a, int b);

  // The lines joined by CR LF, without a final line end.
  virtual std::string Text() const;
  virtual void SetText(std::string_view text);
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  virtual void Assign(const TStrings& source);

  void Add(const std::string& s) { Insert(Count(), s); }
  std::string operator[](int i) const { return Get(i); }

  virtual void LoadFromStream(std::istream& in);
  virtual void SaveToStream(std::ostream& out) const;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines);

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int i) const override;
  void Put(int i, const std::string& s) override;
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  void* GetObject(int i) const override;
  void PutObject(int i, void* object) override;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  std::vector<std::string> lines_;
  std::vector<void*> objects_;
};

}  // namespace quorel
