-- SPDX-License-Identifier: GPL-3.0-or-later
-- A plug-in in an Ardour session, driven by Ardour's headless Lua host on the Dummy backend:
--   create EXPORT_DIR DIR TYPE PLUGIN OUTPUTS FRAMES [INDEX=VALUE ...]
--     a track with the test signal and the plug-in (TYPE lv2: PLUGIN is its URI; vst3: its
--     class name; vst: the module's path) with OUTPUTS outputs, the parameters set, the panners bypassed and the
--     master bus as wide; saved, then FRAMES frames exported
--   restore EXPORT_DIR DIR FRAMES
--     the saved session loaded as it is and exported again
-- Prints each parameter's value as "parameter INDEX VALUE".
local kSession, kTrack, kRate = "test", "Encoder", 48000
-- A float WAV preset (see run_test.sh) that keeps every sample as the master bus has it.
local kExportPreset = "5f1e4c8a-7d3b-4e2a-9c61-0b8d2f7a9e11"

local function fail (message)
  print ("FAILED: " .. message)
  quit ()
end

local function start_engine ()
  AudioEngine:set_backend ("None (Dummy)", "", "")
  AudioEngine:start (false)
end

local function widen (io, channels)
  while io:n_ports ():n_audio () < channels do
    io:add_port ("", nil, ARDOUR.DataType ("audio"))
  end
end

-- Modules are found by the path of their file among the scanned ones.
local function new_plugin (session, kind, plugin)
  if kind == "lv2" then
    return ARDOUR.LuaAPI.new_plugin (session, plugin, ARDOUR.PluginType.LV2, "")
  end
  for info in ARDOUR.LuaAPI.list_plugins ():iter () do
    if info.type == ARDOUR.PluginType.LXVST and info.path == plugin then
      return ARDOUR.LuaAPI.new_plugin (session, info.unique_id, ARDOUR.PluginType.LXVST, "")
    end
    if kind == "vst3" and info.type == ARDOUR.PluginType.VST3 and info.name == plugin then
      return ARDOUR.LuaAPI.new_plugin (session, info.unique_id, ARDOUR.PluginType.VST3, "")
    end
  end
  return ARDOUR.Processor ()
end

-- Every control input, numbered as Ardour numbers them (INDEX above).
local function print_parameters (processor)
  local plugin = processor:to_insert ():plugin (0)
  local controls = 0
  for i = 0, plugin:parameter_count () - 1 do
    if plugin:parameter_is_control (i) and plugin:parameter_is_input (i) then
      print (string.format ("parameter %d %.9g", controls,
        ARDOUR.LuaAPI.get_processor_param (processor, controls, true)))
      controls = controls + 1
    end
  end
end

local function export (session, frames, folder)
  local job = session:simple_export ()
  if not job:set_preset (kExportPreset) then fail ("no export preset " .. kExportPreset) end
  job:set_folder (folder)
  job:set_name ("export")
  job:set_range (0, frames)
  if not job:run_export () then fail ("the export failed") end
  -- The file is complete once the job is gone; Ardour 7.3 may abort while closing a session,
  -- which must not find the job still open.
  job = nil
  collectgarbage ()
end

local function create (dir, kind, plugin, outputs, frames, folder, settings)
  start_engine ()
  local session = create_session (dir, kSession, kRate)
  if not session then fail ("no session in " .. dir) end
  local master = session:master_out ()
  widen (master:input (), outputs)
  widen (master:output (), outputs)
  local track = session:new_audio_track (2, outputs, nil, 1, kTrack,
    ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false):front ()
  -- Strict I/O would cut the plug-in's outputs down to the track's two inputs.
  track:set_strict_io (false)
  local signal = ARDOUR.LuaAPI.new_plugin (session, "Sferant test signal", ARDOUR.PluginType.Lua, "")
  if signal:isnil () then fail ("no test signal processor") end
  local processor = new_plugin (session, kind, plugin)
  if processor:isnil () then fail ("Ardour did not load " .. plugin) end
  track:add_processor_by_index (signal, 0, nil, true)
  track:add_processor_by_index (processor, 1, nil, true)
  if track:n_outputs ():n_audio () ~= outputs then
    fail (string.format ("the track has %d outputs", track:n_outputs ():n_audio ()))
  end
  -- A panner would mix the channels down to the speakers it knows.
  track:panner_shell ():set_bypassed (true)
  master:panner_shell ():set_bypassed (true)
  for index, value in pairs (settings) do
    ARDOUR.LuaAPI.set_processor_param (processor, index, value)
  end
  print_parameters (processor)
  session:save_state ("", false, false, false, false, false)
  export (session, frames, folder)
  close_session ()
end

local function restore (dir, frames, folder)
  start_engine ()
  local session = load_session (dir, kSession)
  if not session then fail ("cannot load the session in " .. dir) end
  local track = session:route_by_name (kTrack)
  if track:isnil () then fail ("the session has no track " .. kTrack) end
  local processor = track:nth_plugin (1)
  if processor:isnil () then fail ("the track lost its plug-in") end
  print_parameters (processor)
  export (session, frames, folder)
  close_session ()
end

if arg[1] == "create" then
  local settings = {}
  for i = 8, #arg do
    local index, value = arg[i]:match ("^(%d+)=(.+)$")
    settings[tonumber (index)] = tonumber (value)
  end
  create (arg[3], arg[4], arg[5], tonumber (arg[6]), tonumber (arg[7]), arg[2], settings)
elseif arg[1] == "restore" then
  restore (arg[3], tonumber (arg[4]), arg[2])
else
  fail ("usage: create EXPORT_DIR DIR TYPE PLUGIN OUTPUTS FRAMES [INDEX=VALUE ...] | restore EXPORT_DIR DIR FRAMES")
end
