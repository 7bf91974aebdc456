# Files of the control layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
