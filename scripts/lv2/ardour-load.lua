-- Ardour 7's headless Lua host (ardour7-lua) loads both LV2 plug-ins: a new
-- session (its folder in the environment variable PRESSORA_SESSION), one track
-- each with the plug-in inserted at its "Vocals" preset, then what Ardour reads:
-- name, maker, ports with their values and ranges, latency and presets.
io.stdout:setvbuf("no")
AudioEngine:set_backend("None (Dummy)", "", "")
local folder = os.getenv("PRESSORA_SESSION")
assert(folder, "PRESSORA_SESSION names no folder")
local session = create_session(folder, "pressora", 48000)
assert(session, "no session")
for _, uri in ipairs({"urn:corvella:pressoralite", "urn:corvella:pressoralite-sc"}) do
  local tracks = Session:new_audio_track(2, 2, nil, 1, uri, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
  local track = tracks:front()
  local proc = ARDOUR.LuaAPI.new_plugin(Session, uri, ARDOUR.PluginType.LV2, "Vocals")
  assert(not proc:isnil(), "plugin not made: " .. uri)
  assert(track:add_processor_by_index(proc, 0, nil, true) == 0, "not inserted")
  local insert = proc:to_insert()
  local plugin = insert:plugin(0)
  print(string.format("%s: \"%s\" by %s, %d parameters, latency %d", uri, plugin:name(), plugin:maker(),
                      plugin:parameter_count(), proc:signal_latency()))
  local control = 0
  for i = 0, plugin:parameter_count() - 1 do
    if plugin:parameter_is_control(i) then
      local ok, desc = plugin:get_parameter_descriptor(i, ARDOUR.ParameterDescriptor())
      local value = ARDOUR.LuaAPI.get_plugin_insert_param(insert, control, false)
      print(string.format("  %-16s %-6s %10.4f  [%g .. %g]", plugin:parameter_label(i),
                          plugin:parameter_is_input(i) and "input" or "output", value, desc[2].lower, desc[2].upper))
      control = control + 1
    else
      print(string.format("  %-16s audio %s", plugin:parameter_label(i), plugin:parameter_is_input(i) and "input" or "output"))
    end
  end
  local names = {}
  for preset in plugin:get_info():get_presets(false):iter() do names[#names + 1] = preset.label end
  print(string.format("  %d presets: %s", #names, table.concat(names, ", ")))
end
print("done")
