# Pennova writing template (our own text)
id: 304
kind: high
category: 电子邮件|Emails
name: 邮件：约定小组会议|Email arranging a group meeting
description: 适用于给同学或同事发邮件约定小组讨论、项目会议。说明开会目的，给出时间地点或几个备选时间，列出需要准备的内容。
title: Group Meeting for [标题中的项目，如 Our Marketing Project] || 关于[标题中的项目，如 Our Marketing Project]的小组会议

[block]
Hi [收件人，如 everyone], || [收件人，如 everyone]好：

[block]
I would like to arrange a meeting to talk about [项目，如 our marketing project]. || 我想安排一次会议来讨论[项目，如 our marketing project]。
We need to [目的，如 decide who will do each part of the report]. || 我们需要[目的，如 decide who will do each part of the report]。
[alternative]
Our project is due in [剩余时间，如 two weeks], so it is time to meet. || 我们的项目将在[剩余时间，如 two weeks]后到期，是时候开个会了。
There are a few things we need to agree on. || 有几件事我们需要达成一致。

[block]
How about meeting at [时间，如 3 p.m. on Thursday] in [地点，如 Room 302 of the library]? || 我们[时间，如 3 p.m. on Thursday]在[地点，如 Room 302 of the library]见面怎么样？
The meeting should take about [时长，如 one hour]. || 会议大约需要[时长，如 one hour]。
[alternative]
I have listed some times that may work for us. || 我列出了几个可能适合我们的时间。
Option one is [时间一，如 Thursday afternoon], and option two is [时间二，如 Friday morning]. || 选项一是[时间一，如 Thursday afternoon]，选项二是[时间二，如 Friday morning]。
Please tell me which one suits you better. || 请告诉我哪个更适合你。

[block]
Before the meeting, please [准备，如 read the two articles I shared]. || 会前请[准备，如 read the two articles I shared]。
It would also help if each of you could bring one or two ideas. || 如果每个人都能带来一两个想法，也会很有帮助。

[block]
Please reply by [回复日期，如 Wednesday evening] so that I can book the room. || 请在[回复日期，如 Wednesday evening]之前回复，以便我预订房间。
See you soon! || 回头见！

[block]
Best, \n || 祝好，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
Does this time work for everyone? || 这个时间大家都可以吗？
If you cannot come, please let me know in advance. || 如果你来不了，请提前告诉我。
I will send the notes after the meeting. || 会后我会发会议记录。
We can also meet online if that is easier. || 如果更方便的话，我们也可以在线开会。
Please bring your laptop. || 请带上你的笔记本电脑。
Let us keep the meeting short. || 让我们把会议开得简短一些。
Feel free to add anything to the list. || 请随意在清单上添加内容。
Thanks for your help with this. || 谢谢你在这件事上的帮助。
