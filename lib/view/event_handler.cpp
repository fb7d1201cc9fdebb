#include "lib/view/view.h"

// The root handler consumes nothing; subclasses override what they handle.
bool CEventHandler::ReceiveMsg(win::UINT, win::WPARAM, win::LPARAM, win::LRESULT*) { return false; }
void CEventHandler::CreatePeerWindow() {}
void CEventHandler::DeletePeerWindow() {}
void CEventHandler::Done() {}
void CEventHandler::ReceiveEvent(TEvent*) {}
CEventHandler::~CEventHandler() = default;
