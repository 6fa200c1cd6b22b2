# Compiling library descriptions with widl.
#
# Type-library strings are ANSI text that clients decode with the system code
# page.  The sources are UTF-8; the Chinese help strings go into the library in
# GBK, as a Chinese system's MIDL writes them, so that they read correctly
# wherever the code page is 936.
#
# A type library records the target's pointer size (SYS_WIN64 or SYS_WIN32)
# and the virtual-table offsets that follow from it; registration files it
# under win64 or win32 accordingly.  So each tree compiles its own, against
# the stdole2.tlb of its own bitness.
set(WIDL_IMPORTS /usr/include/wine/wine/windows)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WIDL_STDOLE /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  set(WIDL x86_64-w64-mingw32-widl --win64 -I${WIDL_IMPORTS} -L${WIDL_STDOLE})
else()
  set(WIDL_STDOLE /usr/lib/i386-linux-gnu/wine/i386-windows)
  set(WIDL i686-w64-mingw32-widl --win32 -I${WIDL_IMPORTS} -L${WIDL_STDOLE})
endif()

# humichart_idl(target idl): a static library with the interface identifiers
# whose users also get the C++ header; both in the current binary directory.
function(humichart_idl target idl)
  get_filename_component(base ${idl} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(
    OUTPUT ${out}/${base}_h.h ${out}/${base}_i.c
    COMMAND ${WIDL} -h -H ${out}/${base}_h.h -u -U ${out}/${base}_i.c ${idl}
    DEPENDS ${idl}
    COMMENT "widl ${base}.idl: header and identifiers")
  add_library(${target} STATIC ${out}/${base}_i.c ${out}/${base}_h.h)
  target_include_directories(${target} PUBLIC ${out})
endfunction()

# humichart_typelib(target idl): builds <base>.tlb in the current binary
# directory as part of target, whose resource script embeds it.
function(humichart_typelib target idl)
  get_filename_component(base ${idl} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(
    OUTPUT ${out}/${base}.tlb
    COMMAND iconv -f UTF-8 -t GBK ${idl} -o ${out}/${base}.gbk.idl
    COMMAND ${WIDL} -t -o ${out}/${base}.tlb ${out}/${base}.gbk.idl
    DEPENDS ${idl}
    COMMENT "widl ${base}.idl: type library")
  target_sources(${target} PRIVATE ${out}/${base}.tlb)
  target_include_directories(${target} PRIVATE ${out})
endfunction()
