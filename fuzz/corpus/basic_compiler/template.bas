' New K7 BASIC module.
' Save it under a name of your own in the BASIC folder, replace the example
' below with your own declarations and code, then press Compile.
'
' A module has four sections, in this order:
'   #MODULE   free text about the module; it becomes the notes of every
'             instance of the module placed in a project.
'   #INPUTS   one input per line, written  Description:Name
'   #OUTPUTS  one output per line, written  Description:Name
'   #CODE     the program; the unit runs it from the top every scan.
' Keep comment lines starting with an apostrophe in the first column, and
' leave no empty lines between the declarations.
'
' The end of a name gives its type:
'   Level      Float            Count%     Integer
'   Alarm!     Status           Pulse!!    trigger (outputs)
'   Msg$[20]   string of up to 20 characters
' An output Name becomes the project variable Instance.Name.
'
' Every output must be assigned somewhere in the code, and every local
' variable must be both assigned and used in an expression. Labels are
' plain names on a line of their own; GOSUB jumps to one and RETURN comes
' back. IF ... THEN either runs the rest of its line, or starts a block
' that ends with ENDIF (with an optional ELSE line).
#MODULE
Example: wet well level in percent of a full well, with a high level
alarm that clears 2 percent below its setpoint.
#INPUTS
Wet well level, ft:Level
Level of a full well, ft:FullLevel
High level alarm at, percent:HighPct
#OUTPUTS
Level in percent:LevelPct
High level alarm:HighAlarm!
#CODE
' Scale the level to percent of a full well.
Pct = 0.0
IF FullLevel > 0.0 THEN Pct = Level * 100.0 / FullLevel
GOSUB Clamp
LevelPct = Pct

' The alarm sets above its setpoint and clears 2 percent below it.
IF Pct > HighPct THEN
  HighAlarm! = 1
ENDIF
IF Pct < HighPct - 2.0 THEN
  HighAlarm! = 0
ENDIF
END

' Keep Pct within 0 to 100 percent.
Clamp
IF Pct < 0.0 THEN Pct = 0.0
IF Pct > 100.0 THEN Pct = 100.0
RETURN
