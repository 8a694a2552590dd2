#pragma once
// The display record: the view, the pointer and the renderer's requests, three records of
// their own concern. The program's entry makes one and hands it to the main window (which
// hands it to each frame) and to the command layer. UI thread only: the fetch thread reaches
// the UI through its snapshot and events (market/fetch_events.h), never through this record.
#include "model/pointer_state.h"
#include "model/renderer_requests.h"
#include "model/view_state.h"

struct DisplayState {
  ViewState view;
  PointerState pointer;
  RendererRequests requests;
};
