-- SPDX-License-Identifier: GPL-3.0-or-later
-- The stereo test signal as sound.py writes it, by the transport's position, so that an
-- export from sample 0 starts where the file does. Silent while the transport stands: the
-- plug-in's filters then hold nothing when the export starts.
ardour { ["type"] = "dsp", name = "Sferant test signal" }

function dsp_ioconfig () return { { audio_in = 2, audio_out = 2 } } end

function dsp_run (ins, outs, n_samples)
  local at = Session:transport_sample ()
  local rolling = Session:transport_rolling ()
  local left, right = outs[1]:array (), outs[2]:array ()
  for s = 1, n_samples do
    local k = at + s - 1
    if rolling then
      left[s] = k * 7919 % 2000 / 2000 - 0.5
      right[s] = k * 104729 % 3000 / 3000 - 0.5
    else
      left[s], right[s] = 0, 0
    end
  end
end
