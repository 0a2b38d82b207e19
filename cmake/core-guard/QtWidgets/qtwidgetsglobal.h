// Every QtWidgets header includes this one first. omvi_core sees this directory ahead of Qt's own
// include paths, so a core file that pulls in any widget header stops the build here.
#error "omvi_core must not include QtWidgets headers: widgets belong to omvi_gui"
