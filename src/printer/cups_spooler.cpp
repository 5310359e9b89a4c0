// placeholder until this module is written
