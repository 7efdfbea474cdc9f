// The parser base.
#include "engine/simpleparser.h"

#include <algorithm>

namespace quorel {

TSimpleParser::~TSimpleParser() {
  auto clients = std::move(clients_);
  clients_.clear();
  for (auto& c : clients)
    if (c.Destroyed) c.Destroyed(*this);
}

const TFont* TSimpleParser::GetFont(int) const { return nullptr; }

bool TSimpleParser::GetBackColor(int, TColor&) const { return false; }

void TSimpleParser::InitColors(int, std::string_view text, TLineColors& colors) {
  colors.assign(text.size(), '\0');
}

void TSimpleParser::AddClient(const void* client, TNotify changed, TNotify destroyed) {
  RemoveClient(client);
  clients_.push_back({client, std::move(changed), std::move(destroyed)});
}

void TSimpleParser::RemoveClient(const void* client) {
  std::erase_if(clients_, [client](const TClient& c) { return c.Client == client; });
}

void TSimpleParser::NotifyClients() {
  auto snapshot = clients_;
  for (auto& c : snapshot)
    if (c.Changed) c.Changed(*this);
}

}  // namespace quorel
