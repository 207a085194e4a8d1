# torvik_pe_machine(FILE OUT_VAR): the machine field of a PE file's header as four lower-case
# hex digits ("8664" x86-64, "014c" x86, "aa64" ARM64), or "none" when FILE is no PE file.
function(torvik_pe_machine file out_var)
  set(machine none)
  file(READ "${file}" dos_header LIMIT 64 HEX)
  string(LENGTH "${dos_header}" dos_length)
  if(dos_length EQUAL 128 AND dos_header MATCHES "^4d5a")
    # e_lfanew: the little-endian offset of "PE\0\0" at byte 60.
    string(SUBSTRING "${dos_header}" 120 8 offset_hex)
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" offset_hex "${offset_hex}")
    math(EXPR offset "0x${offset_hex}")
    file(READ "${file}" pe_header OFFSET ${offset} LIMIT 6 HEX)
    if(pe_header MATCHES "^50450000(..)(..)$")
      set(machine "${CMAKE_MATCH_2}${CMAKE_MATCH_1}")
    endif()
  endif()
  set(${out_var} "${machine}" PARENT_SCOPE)
endfunction()

# The machine field a library must carry to be loaded by the program being built.
function(torvik_target_pe_machine out_var)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64|ARM64)$")
    set(${out_var} aa64 PARENT_SCOPE)
  elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(${out_var} 8664 PARENT_SCOPE)
  else()
    set(${out_var} 014c PARENT_SCOPE)
  endif()
endfunction()
