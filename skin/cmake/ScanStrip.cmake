# Writes the scan animation strip: FRAME_COUNT frames of 191 x 158 side by
# side, the beam moving down and back up once per cycle with eased turns, so
# the strip loops without a jump.
#   cmake -DTEMPLATE=scan.svg.in -DOUTPUT=scan.svg -P ScanStrip.cmake

set(frameCount 44)
set(frameWidth 191)
set(beamTop 20)      # beam centre in the first frame
set(beamTravel 118)  # distance to its lowest point, half a cycle later

math(EXPR halfCycle "${frameCount} / 2")
math(EXPR cube "${halfCycle} * ${halfCycle} * ${halfCycle}")
math(EXPR lastFrame "${frameCount} - 1")
set(frames "")
foreach(frame RANGE ${lastFrame})
  if(frame LESS_EQUAL halfCycle)
    set(step ${frame})
  else()
    math(EXPR step "${frameCount} - ${frame}")
  endif()
  # smoothstep 3t^2 - 2t^3 in integer arithmetic, in tenths of a pixel
  math(EXPR tenths "${beamTop} * 10 + ${beamTravel} * 10 * (3 * ${step} * ${step} * ${halfCycle} - 2 * ${step} * ${step} * ${step}) / ${cube}")
  math(EXPR whole "${tenths} / 10")
  math(EXPR fraction "${tenths} % 10")
  math(EXPR left "${frame} * ${frameWidth}")
  string(APPEND frames
    "  <g transform=\"translate(${left} 0)\" clip-path=\"url(#frame)\">"
    "<use href=\"#corners\"/><use href=\"#beam\" transform=\"translate(0 ${whole}.${fraction})\"/></g>\n")
endforeach()

math(EXPR WIDTH "${frameCount} * ${frameWidth}")
set(FRAMES "${frames}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
